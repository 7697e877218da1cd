#include "DBLookupComboBox.h"

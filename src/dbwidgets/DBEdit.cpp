#include "DBEdit.h"

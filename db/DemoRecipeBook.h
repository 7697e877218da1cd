#pragma once

#include "firebird/Attachment.h"

/// The recipe book delivered with the program, so that a first start shows something to
/// browse: families and recipes in French, with their rich texts and painted illustrations.
namespace DemoRecipeBook {

/// Writes the families and recipes into a database made by RecipeDatabase::create (no family
/// or recipe in it yet), keyed from 1 upward, sets both generators to the highest keys and
/// commits. Throws fb::Error, committing nothing, when the book does not fit the tables.
void fill(fb::Attachment &attachment);

} // namespace DemoRecipeBook

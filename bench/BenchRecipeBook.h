#pragma once

#include <QString>

/// The large recipe book the benchmark measures: 250,000 recipes in 500 families, one family
/// holding 20,000 of them, each recipe with its two rich texts and no picture. Generated once,
/// in one transaction, and reused by later runs.
namespace BenchRecipeBook {

constexpr int kFamilyCount = 500;
constexpr int kRecipeCount = 250'000;
constexpr int kLargeFamilySize = 20'000;
/// The large family is written first, so it has the first key; its name also sorts first, so
/// that the program's start-up stands on it.
constexpr double kLargeFamilyKey = 1;

/// True when the file holds a complete book of the shape above. Throws fb::Error when the file
/// cannot be opened.
bool isComplete(const QString &path);

/// Writes a new book to path, which must not exist. Prints its progress on standard output.
void generate(const QString &path);

} // namespace BenchRecipeBook

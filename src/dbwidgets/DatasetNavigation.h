#pragma once

class Dataset;

/// The navigation buttons' four moves over a dataset. A move that cannot run (an empty
/// dataset, or one already at the end it moves towards) beeps and does nothing else; each
/// returns whether it moved.
///
/// "At the end" is the dataset's own flag, not its position: a Prior that found no earlier row
/// has set Bof, so the first Prior from the first row still runs, and only the next one beeps.
namespace DatasetNavigation {

bool first(Dataset &dataset);
bool prior(Dataset &dataset);
bool next(Dataset &dataset);
bool last(Dataset &dataset);

} // namespace DatasetNavigation

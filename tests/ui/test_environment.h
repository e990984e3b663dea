#pragma once

namespace r88::ui {

// Points the user folders (data, config, runtime) of a UI test process at a
// fresh temporary folder so tests never touch the real user's files.
void PrepareTestEnvironment();

}  // namespace r88::ui

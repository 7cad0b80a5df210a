// Environment shared by the test programs.
#pragma once

#include <string>

namespace TestEnv {
// Makes a private temporary folder for this test program, points XDG_CONFIG_HOME and
// XDG_RUNTIME_DIR into it and the settings store at a file inside it, and sets
// ORVANE_LOOPBACK_ONLY so no address outside 127.0.0.0/8 can be contacted. The folder is removed
// when the program exits. Called by the mains.
void Prepare();
// The private folder made by Prepare.
const std::string& TempDir();
}  // namespace TestEnv

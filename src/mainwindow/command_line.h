#pragma once

#include <QString>

// The whole argument text after the program's name as one path: the arguments joined with
// single blanks, every double quote removed. Take it before QApplication removes its options.
[[nodiscard]] QString commandLineText(int argc, const char *const *argv);

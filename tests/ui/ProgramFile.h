// Where the built program is, as a path this test process can open.
#pragma once

#ifndef MORTARIX_EXE
#error "MORTARIX_EXE must name the built Mortarix.exe"
#endif

inline constexpr const char* kProgramPath = MORTARIX_EXE;

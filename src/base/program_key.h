// The program's own registry key under HKEY_CURRENT_USER: its options, the
// toolbar layout, and what it leaves there for its next start.
#pragma once

inline constexpr char kProgramKey[] = "Software\\Tandelworks\\Zelvista";

#pragma once

// Every program text the tests check, written once, grouped by subsystem.
namespace klarwell::texts {

// Progress bar.
inline constexpr char kSearching[] = "Searching..";
inline constexpr char kPercentSuffix[] = " %";

}  // namespace klarwell::texts

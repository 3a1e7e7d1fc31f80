#pragma once

namespace testing_support {

// How many starts a leak test repeats: a thousand in the plain build; a hundred under the
// sanitizers, where each start costs ten times as much and a leak of one descriptor or child per
// start shows just as surely.
inline constexpr int RepeatedStarts = CORVANTA_REPEATED_STARTS;

}  // namespace testing_support

#pragma once

#include <string>

namespace quorvel {

inline constexpr double SECONDS_PER_DAY = 86400;

// Seconds from I_開始 to I_終了, two times of day; a span across midnight wraps.
double 調査_経過秒(double I_開始, double I_終了);

// The clock text of a number of seconds: hours, minutes and seconds, two digits each, joined by
// ":". A field of three or more digits comes out empty.
std::string 調査_時間秒追加結果(double IN_経過秒);

// The decimal text of a whole number padded to two characters; any other length gives "".
std::string 変換_数字から文字(long long I_数字);

}

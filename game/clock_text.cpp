#include "game/clock_text.h"

#include <cmath>

namespace quorvel {

double 調査_経過秒(double I_開始, double I_終了) {
    if (I_開始 <= I_終了) return I_終了 - I_開始;
    return I_終了 + SECONDS_PER_DAY - I_開始;
}

std::string 調査_時間秒追加結果(double IN_経過秒) {
    double x = IN_経過秒;
    double hours = 0;
    if (x >= 3600) {
        hours = std::floor(x / 3600);
        x -= 3600 * hours;
    }
    const double minutes = std::floor(x / 60);
    const double seconds = x - 60 * minutes;
    auto field = [](double v) { return 変換_数字から文字(static_cast<long long>(std::floor(v))); };
    return field(hours) + ":" + field(minutes) + ":" + field(seconds);
}

std::string 変換_数字から文字(long long I_数字) {
    const std::string digits = std::to_string(I_数字);
    if (digits.size() == 1) return "0" + digits;
    if (digits.size() == 2) return digits;
    return "";
}

}

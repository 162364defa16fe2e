#include "document/TKVDrawContext.h"

#include <algorithm>
#include <climits>

std::int32_t TKVDrawContext::ToWindow(float Mm, float LabelMm, std::int32_t Pixels, std::int32_t Origin)
{
    const std::int32_t pixel = RoundEven(static_cast<long double>(Pixels) * Mm / LabelMm);
    return std::int32_t(std::min<std::int64_t>(std::int64_t(pixel) + Origin, INT32_MAX));
}

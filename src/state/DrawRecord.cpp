#include "state/DrawRecord.h"

#include "platform/DayNumber.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace kugelo {

QDate DrawRecord::date() const {
    return fromDayNumber(Datum);
}

bool DrawRecord::hasDay() const {
    return date().isValid() && Datum == std::floor(Datum);
}

bool DrawRecord::holdsADraw() const {
    std::uint64_t seen = 0;
    for (int i = 0; i < 5; ++i) {
        const int n = Zahl[static_cast<std::size_t>(i)];
        if (n < 1 || n > 49 || (seen >> n & 1)) return false;
        seen |= std::uint64_t(1) << n;
    }
    return chance() >= 1 && chance() <= 10;
}

QString DrawRecord::digits() const {
    QString text;
    text.reserve(7);
    for (std::uint8_t d : Ziffern)
        text += QLatin1Char(static_cast<char>('0' + d % 10));
    return text;
}

void DrawRecord::encode(char* out) const {
    quint64 bits = 0;
    static_assert(sizeof bits == sizeof Datum);
    std::memcpy(&bits, &Datum, sizeof bits);
    qToLittleEndian(bits, out);
    std::memcpy(out + 8, Zahl.data(), 8);
    std::memcpy(out + 16, Ziffern.data(), 7);
    std::memcpy(out + 23, Ziffern2.data(), 6);
    std::memcpy(out + 29, reserved.data(), 3);
}

DrawRecord DrawRecord::decode(const char* in) {
    DrawRecord r;
    const quint64 bits = qFromLittleEndian<quint64>(in);
    std::memcpy(&r.Datum, &bits, sizeof bits);
    std::memcpy(r.Zahl.data(), in + 8, 8);
    std::memcpy(r.Ziffern.data(), in + 16, 7);
    std::memcpy(r.Ziffern2.data(), in + 23, 6);
    std::memcpy(r.reserved.data(), in + 29, 3);
    return r;
}

DrawRecord makeDrawRecord(const QDate& date, std::array<int, 5> numbers, int chance,
                          const std::array<std::uint8_t, 7>& digits) {
    std::sort(numbers.begin(), numbers.end());
    DrawRecord r;
    r.Datum = toDayNumber(date);
    for (int i = 0; i < 5; ++i)
        r.Zahl[i] = static_cast<std::uint8_t>(numbers[i]);
    r.Zahl[6] = static_cast<std::uint8_t>(chance);
    r.Ziffern = digits;
    return r;
}

} // namespace kugelo

#include "generator/NumberList.h"

#include "generator/RandomSource.h"

#include <QStringList>
#include <algorithm>
#include <climits>

namespace kugelo {

bool NumberList::isSet(int n) const {
    return valid(n) && m_boxes[n].set;
}

void NumberList::setSet(int n, bool set) {
    if (!valid(n) || m_boxes[n].set == set) return;
    m_boxes[n].set = set;
    if (n == 1) weightStep(1);
}

QString NumberList::weight(int n) const {
    return valid(n) ? m_boxes[n].weight : QString();
}

void NumberList::setWeight(int n, const QString& weight) {
    if (valid(n)) m_boxes[n].weight = weight;
}

BoxColour NumberList::colour(int n) const {
    return valid(n) ? m_boxes[n].colour : BoxColour::Normal;
}

void NumberList::setColour(int n, BoxColour colour) {
    if (valid(n)) m_boxes[n].colour = colour;
}

int NumberList::highest() const {
    return std::clamp(MaxZahl, 1, BoxCount);
}

int NumberList::positions() const {
    return std::clamp(MaxTipp, 1, static_cast<int>(Tippreihe.size()) - 1);
}

void NumberList::weightStep(int n) {
    Box& box = m_boxes[n];
    if (box.set) {
        bool ok = false;
        const qint64 old = box.weight.toInt(&ok);
        const qint64 changed = ok ? old + (Minus ? -1 : 1) : 0;
        box.weight = QString::number(std::clamp<qint64>(changed, 0, INT_MAX));
        // For box 1 this runs the step once more, on a box that is no longer set.
        if (changed <= 0) setSet(n, false);
    }
    showWeightOf(n);
}

void NumberList::showWeightOf(int n) {
    m_statusNumber = n;
    m_status = QStringLiteral("Die Zahl ") + QString::number(n) +
               QStringLiteral(" geht mit der Gewichtung ") + m_boxes[n].weight +
               QStringLiteral(" in die Berechnung ein");
}

void NumberList::mousePressed(int n, bool rightButton) {
    if (!valid(n)) return;
    Minus = rightButton;
    if (rightButton) weightStep(n);
}

void NumberList::mouseOver(int n) {
    if (valid(n)) showWeightOf(n);
}

// The press itself draws nothing; the first tick of the timer shows the first numbers.
void NumberList::pressRandom(RandomSource&) {
    if (!m_timerActive) {
        for (int n = 1; n <= BoxCount; ++n) {
            setSet(n, false);
            setColour(n, BoxColour::Normal);
        }
        Tippreihe.fill(0);
        Losgeht = 1;
        m_timerActive = true;
    } else if (Losgeht < positions()) {
        ++Losgeht;
    } else {
        closed();
    }
}

void NumberList::tick(RandomSource& random) {
    m_randomCaption = QString::number(Losgeht) + QLatin1Char(' ') + Stopp;
    const int top = highest();
    for (int n = 1; n <= top; ++n) {
        setSet(n, false);
        setColour(n, BoxColour::Normal);
    }
    const int last = positions();
    for (int i = 1; i < Losgeht && i <= last; ++i) {
        setSet(Tippreihe[i], true);
        setColour(Tippreihe[i], BoxColour::Yellow);
    }
    for (int i = Losgeht; i <= last; ++i) {
        // Draw again when the number is ticked or already in the row: box 1 can lose its tick to its own
        // weight reaction, and the row must still hold distinct numbers.
        const auto free = [this, i](int a) {
            for (int k = 1; k < i; ++k)
                if (Tippreihe[std::size_t(k)] == a) return false;
            return !isSet(a);
        };
        // More positions than numbers would draw for ever; the positions left stay as they were.
        bool anyFree = false;
        for (int n = 1; n <= top && !anyFree; ++n)
            anyFree = free(n);
        if (!anyFree) break;
        int a = 0;
        do {
            a = random.oneTo(top);
        } while (!free(a));
        Tippreihe[i] = a;
        setSet(a, true);
        setColour(a, BoxColour::Yellow);
    }
}

void NumberList::closed() {
    m_timerActive = false;
    m_randomCaption = Zufall;
    Losgeht = 1;
}

QByteArray NumberList::toNlf() const {
    QString text;
    for (int n = 1; n <= highest(); ++n) {
        if (m_boxes[n].set) text += m_boxes[n].weight;
        text += QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

QByteArray NumberList::saveNlf() {
    for (int n = 1; n <= highest(); ++n) {
        if (m_boxes[n].set && m_boxes[n].weight.isEmpty()) m_boxes[n].weight = QStringLiteral("1");
    }
    return toNlf();
}

void NumberList::fromNlf(const TextLines& lines) {
    for (int n = 1; n <= highest(); ++n) {
        const QString line = lines.value(n - 1);
        // Set first, then the weight: the step that setting box 1 runs must not change the weight read.
        setSet(n, !line.isEmpty());
        setWeight(n, line.isEmpty() ? QStringLiteral("1") : line);
    }
}

} // namespace kugelo

#pragma once

#include "draws/DrawFile.h"

#include <QDate>
#include <QString>

namespace kugelo {

// The public draw history that ships with the program (a CSV file that `kugelo-cli import` reads), and the
// draw file a first start writes from it.
struct SeedOutcome {
    bool seeded = false; // the draw file was written from the shipped history
    int draws = 0;       // the draws written
    QString problem;     // why the shipped history could not be used (empty when it was, or was not needed)
};

// When there is no draw file, writes it whole from the shipped history, parsed and checked as an import
// parses and checks it (dates up to `today`). When the history is missing, cannot be read, holds no draw or
// has a bad line, an empty draw file is created as before and `problem` says why. An existing draw file,
// even an empty one, is left alone. A failed write of the draw file throws IoError.
SeedOutcome seedDrawFile(const DrawFile& file, const QString& shippedCsv, const QDate& today);

} // namespace kugelo

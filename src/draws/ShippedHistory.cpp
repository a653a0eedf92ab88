#include "draws/ShippedHistory.h"

#include "draws/DrawImport.h"
#include "i18n/TextFile.h"
#include "platform/Errors.h"

#include <QFileInfo>

namespace kugelo {

SeedOutcome seedDrawFile(const DrawFile& file, const QString& shippedCsv, const QDate& today) {
    SeedOutcome outcome;
    if (file.exists()) return outcome;
    std::vector<DrawRecord> draws;
    if (!QFileInfo(shippedCsv).isFile()) {
        outcome.problem = QStringLiteral("%1: not found").arg(shippedCsv);
    } else {
        try {
            draws = parseDrawCsv(shippedCsv, readTextFile(shippedCsv, TextFileKind::DrawArchive), today);
            if (draws.empty()) outcome.problem = QStringLiteral("%1: no draws").arg(shippedCsv);
        } catch (const KugeloError& e) {
            outcome.problem = e.text();
        }
    }
    if (!outcome.problem.isEmpty()) {
        file.createIfMissing();
        return outcome;
    }
    outcome.draws = importDraws(file, draws).imported;
    outcome.seeded = true;
    return outcome;
}

} // namespace kugelo

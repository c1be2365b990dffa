#include "catalogue/ModelSlots.h"

#include "services/SafeFile.h"
#include "services/Text1252.h"

#include <optional>

namespace {

std::optional<int> ReadSlot(const QString& text) {
    bool ok = false;
    const int slot = text.trimmed().toInt(&ok);
    return ok && slot >= 1 && slot <= 4 ? std::optional<int>(slot) : std::nullopt;
}

// Applies one "name=value" line to `row`; false when the value is unusable.
bool ApplyValue(ModelSlots& row, const QString& name, const QString& value) {
    if (name == QLatin1String("Mesh")) {
        row.Mesh = value;
        return !value.isEmpty();
    }
    if (name == QLatin1String("Menu")) {
        row.Faces = value == QLatin1String("Faces");
        return row.Faces || value == QLatin1String("Plain");
    }
    if (name == QLatin1String("Portrait")) {
        row.Portrait = value == QLatin1String("Face") ? QString() : value;
        return !value.isEmpty();
    }
    if (name == QLatin1String("Team")) {
        row.Team.clear();
        for (const QString& part : value.split(QLatin1Char(','))) {
            const std::optional<int> slot = ReadSlot(part);
            if (!slot)
                return false;
            row.Team.append(*slot);
        }
        return true;
    }
    int ModelSlots::*const slot = name == QLatin1String("Fixed")  ? &ModelSlots::Fixed
                                  : name == QLatin1String("Face") ? &ModelSlots::Face
                                                                  : nullptr;
    const std::optional<int> digit = ReadSlot(value);
    if (!slot || !digit)
        return false;
    row.*slot = *digit;
    return true;
}

// A row the check can use: a mesh, and for face models a fixed and a face slot.
bool IsComplete(const ModelSlots& row) {
    return !row.Mesh.isEmpty() && (!row.Faces || (row.Fixed > 0 && row.Face > 0));
}

} // namespace

QList<ModelSlots> ParseModelSlots(QByteArrayView bytes, QStringList* problems) {
    QList<ModelSlots> table;
    std::optional<ModelSlots> row;
    auto finish = [&] {
        if (row && IsComplete(*row))
            table.append(*row);
        else if (row && problems)
            problems->append(QStringLiteral("[%1] lacks its mesh or slots.").arg(row->Key));
        row.reset();
    };
    const QStringList lines = FromWindows1252(bytes).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            finish();
            row = ModelSlots();
            row->Key = line.mid(1, line.size() - 2);
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const bool applied =
            row && equals > 0 &&
            ApplyValue(*row, line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
        if (!applied && problems)
            problems->append(QStringLiteral("line %1 cannot be read: %2").arg(i + 1).arg(line));
    }
    finish();
    return table;
}

QList<ModelSlots> ReadModelSlots(const QString& programDir, QString* error) {
    const std::optional<QByteArray> bytes =
        ReadWholeFile(programDir + QLatin1Char('/') + QLatin1String(ModelSlotsFileName), error);
    return bytes ? ParseModelSlots(*bytes) : QList<ModelSlots>();
}

std::optional<ModelSlots> FindModelSlots(const QList<ModelSlots>& table, const QString& key) {
    for (const ModelSlots& row : table) {
        if (row.Key.compare(key, Qt::CaseInsensitive) == 0)
            return row;
    }
    return std::nullopt;
}

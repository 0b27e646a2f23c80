#include "Instruments.h"

#include <QFile>
#include <QStringList>

QString InstrumentName(int Number) {
    static const QStringList Names = [] {
        QFile File(QStringLiteral(":/resources/instruments.txt"));
        if (!File.open(QIODevice::ReadOnly)) return QStringList();
        return QString::fromUtf8(File.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }();
    if (Number < 1 || Number > Names.size()) return {};
    return Names[Number - 1];
}

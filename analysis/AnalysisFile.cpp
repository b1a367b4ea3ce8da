#include "AnalysisFile.h"

#include <QSaveFile>

#include "CodePage1252.h"

const char* TsrReader::record(int needed) {
    if (failed()) return nullptr;
    const qsizetype start = static_cast<qsizetype>(next) * kTsrRecordSize;
    if (start + needed > bytes.size()) {
        errorText = QStringLiteral("Input oltre la fine del file");
        return nullptr;
    }
    ++next;
    return bytes.constData() + start;
}

bool TsrReader::text(QString& out) {
    const char* r = record(2);
    if (!r) return false;
    const int length = static_cast<unsigned char>(r[0]) | (static_cast<unsigned char>(r[1]) << 8);
    if (length > kTsrMaxText) {
        errorText = QStringLiteral("Lunghezza di record non valida");
        return false;
    }
    const qsizetype start = static_cast<qsizetype>(next - 1) * kTsrRecordSize + 2;
    if (start + length > bytes.size()) {
        errorText = QStringLiteral("Input oltre la fine del file");
        return false;
    }
    out = platform::fromCp1252(bytes.mid(start, length));
    return true;
}

bool TsrReader::integer(int16_t& out) {
    const char* r = record(2);
    if (!r) return false;
    out = static_cast<int16_t>(static_cast<uint16_t>(static_cast<unsigned char>(r[0]) |
                                                     (static_cast<unsigned char>(r[1]) << 8)));
    return true;
}

QString tsrTextProblem(const QString& value) {
    QByteArray encoded;
    if (!platform::toCp1252(value, encoded))
        return QStringLiteral("contiene caratteri che il file non può registrare");
    if (encoded.size() > kTsrMaxText)
        return QStringLiteral("è più lungo di %1 caratteri").arg(kTsrMaxText);
    return QString();
}

bool TsrWriter::text(const QString& value, const QString& fieldName) {
    if (failed()) return false;
    QByteArray encoded;
    if (!platform::toCp1252(value, encoded) || encoded.size() > kTsrMaxText) {
        badField = fieldName;
        return false;
    }
    QByteArray rec(kTsrRecordSize, '\0');
    rec[0] = static_cast<char>(encoded.size() & 0xFF);
    rec[1] = static_cast<char>((encoded.size() >> 8) & 0xFF);
    rec.replace(2, encoded.size(), encoded);
    bytes += rec;
    return true;
}

void TsrWriter::integer(int16_t value) {
    if (failed()) return;
    QByteArray rec(kTsrRecordSize, '\0');
    const auto u = static_cast<uint16_t>(value);
    rec[0] = static_cast<char>(u & 0xFF);
    rec[1] = static_cast<char>(u >> 8);
    bytes += rec;
}

QString writeFileSafely(const QString& path, const QByteArray& data) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (file.write(data) != data.size()) {
        QString why = file.errorString();
        file.cancelWriting();
        return why;
    }
    if (!file.commit()) return file.errorString();
    return QString();
}

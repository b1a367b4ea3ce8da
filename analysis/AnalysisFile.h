#pragma once

// The analysis file: 128-byte records, one field each, texts in code page
// 1252 behind a 2-byte little-endian length, integers as 2-byte little-endian.

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

constexpr int kTsrRecordSize = 128;
constexpr int kTsrMaxText = kTsrRecordSize - 2;

// Reads the fields in order. After the first failure every read fails and
// error() says why; the fields read before it stay valid.
class TsrReader {
public:
    explicit TsrReader(QByteArray data) : bytes(std::move(data)) {}
    bool text(QString& out);
    bool integer(int16_t& out);
    bool failed() const { return !errorText.isEmpty(); }
    const QString& error() const { return errorText; }
    int recordsRead() const { return next; }

private:
    const char* record(int needed);
    QByteArray bytes;
    int next = 0;
    QString errorText;
};

// Writes the fields in order, each in a whole zero-filled record. A text that
// does not fit a record or the code page stops the writer; `badText` names it.
class TsrWriter {
public:
    bool text(const QString& value, const QString& fieldName);
    void integer(int16_t value);
    bool failed() const { return !badField.isEmpty(); }
    const QString& badText() const { return badField; }
    const QByteArray& data() const { return bytes; }

private:
    QByteArray bytes;
    QString badField;
};

// Why a text cannot be stored: empty when it can.
QString tsrTextProblem(const QString& value);

// Replaces the file with `data` only once all of it is written; the old file
// stays as it was when anything fails. Returns the system's description of a failure.
QString writeFileSafely(const QString& path, const QByteArray& data);

#pragma once

// The analysis report as a sequence of formatted runs, built from the record
// alone so that the window's pane and the command line share one text.

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

struct DatiAnalisi;
class QTextCursor;

struct ReportRun {
    QString text;
    QString font;
    double size = 10;
    QColor color;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int offsetTwips = 0;  // negative below the baseline
};

// Writes runs with a current character format, as the pane's selection does.
class ReportWriter {
public:
    ReportWriter();
    // Sets font, size and palette colour, then applies a style name:
    // "Normale", "Grassetto", "Corsivo", "Sottolineato", "SottolineatoGrassetto", "Apice",
    // "Pedice".
    void ImpostaCarattere(const QString& font, double size, const QString& style, int colorIndex);
    void setSize(double size) { current.size = size; }
    void setColor(int colorIndex);
    void setFont(const QString& font) { current.font = font; }
    void setUnderline(bool on) { current.underline = on; }
    void write(const QString& text);
    void subscript(const QString& text);  // 8 points, -40 twips; back to 10 points after
    const QList<ReportRun>& runs() const { return out; }

private:
    ReportRun current;
    QList<ReportRun> out;
};

// The 16 colours of the classic palette.
QColor paletteColor(int index);

// The report's fixed-width helpers.
QString paddedText(const QString& text);  // 59 characters with a trail of " ."
QString valueField(float value);          // "##0.00" right-aligned in six, then " daN/mq"
QString dittoField(float value);  // "##0.00" right-aligned in six, blanks, then a double quote

QList<ReportRun> buildReport(const DatiAnalisi& d);
QList<ReportRun> buildBanner(const QString& webUrl, int major, int minor);

// The runs joined and cut into lines at each line feed.
QStringList reportLines(const QList<ReportRun>& runs);

// Appends the runs at the cursor with their formats.
void appendRuns(QTextCursor& cursor, const QList<ReportRun>& runs);

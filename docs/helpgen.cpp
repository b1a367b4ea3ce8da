// Builds the help document: reads the Markdown source and writes an A4 PDF.
// Usage: tessaro_helpgen SOURCE.md OUT.pdf

#include <QFile>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "uso: tessaro_helpgen SORGENTE.md USCITA.pdf\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "tessaro_helpgen: impossibile leggere %s\n", argv[1]);
        return 1;
    }
    const QString source = QString::fromUtf8(in.readAll());

    // Written beside the target and renamed, so a failed build leaves no half file.
    const QString outPath = QString::fromLocal8Bit(argv[2]);
    const QString tmpPath = outPath + QStringLiteral(".tmp");
    {
        QPdfWriter pdf(tmpPath);
        pdf.setTitle(QStringLiteral("Tessaro D.M. 14/01/2008 - Guida all'uso"));
        pdf.setCreator(QStringLiteral("Tessaro"));
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter));
        QTextDocument doc;
        QFont font(QStringLiteral("Liberation Serif"));
        font.setPointSizeF(11);
        doc.setDefaultFont(font);
        doc.setDefaultStyleSheet(QStringLiteral("h1, h2, h3 { font-family: 'Liberation Sans'; }"));
        doc.setMarkdown(source);
        doc.print(&pdf);
    }
    QFile::remove(outPath);
    if (!QFile::rename(tmpPath, outPath)) {
        std::fprintf(stderr, "tessaro_helpgen: impossibile scrivere %s\n", argv[2]);
        QFile::remove(tmpPath);
        return 1;
    }
    return 0;
}

#pragma once

// The text file of print models (.VLM) and saved print documents (.DSS): a
// header of twenty "[key]:value" lines, then four lines per command. Single-byte
// code page, CR LF line ends.
//
// Characters a line cannot hold are escaped with the unit separator (0x1F):
// 0x1F 'r' for CR, 0x1F 'n' for LF, 0x1F 0x1F for the separator itself and
// 0x1F 'u' + four hex digits for a character outside the code page. A file
// without such characters is exactly the plain format.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

#include "ClsPagina.h"
#include "JobState.h"

namespace velmora::modello {

struct Intestazione {
    int16_t PaperSize = 9;
    int16_t Orientamento = 1;
    int16_t PrintyQuality = -4;
    AttributiPredefiniti attributi;
};

// The twenty keys in file order.
const QStringList& chiaviIntestazione();

QByteArray scrivi(const Intestazione& intestazione, const QList<PaginaPtr>& pagine);

// Text lines of a file, decoded and unescaped; a last line without its line end counts.
QStringList righe(const QByteArray& file);
// Only the lines up to the one holding the header's last key.
QStringList righeIntestazione(const QByteArray& file);

// The header values found in the file's lines (up to the line holding the last
// key), each applied through `applica(index of the key, text after it)`.
// Returns the number of keys found.
template <typename F>
int leggiIntestazione(const QStringList& righe, F&& applica) {
    const QStringList& chiavi = chiaviIntestazione();
    int trovate = 0;
    for (const QString& riga : righe) {
        for (int k = 0; k < chiavi.size(); ++k) {
            qsizetype at = riga.indexOf(chiavi[k]);
            if (at < 0) continue;
            ++trovate;
            applica(k, riga.mid(at + chiavi[k].size()));
        }
        if (riga.contains(chiavi.last())) break;
    }
    return trovate;
}

// Fills the header's fields from one key's text; throws Errore when the text
// does not convert.
void assegna(Intestazione& intestazione, int chiave, const QString& valore);

// One command entry of the file. `specifica` is empty when the entry has no
// specification line or a blank one (it then records nothing).
struct Voce {
    int riga = 0;  // 1-based line of "OGGETTO"
    QString nome;
    std::optional<QString> specifica;
};

struct Voci {
    QList<Voce> voci;
    // Entries cut short (no name, no "SPECIFICA" line, or the file ends first).
    int incomplete = 0;
    bool troncato = false;  // the last entry is cut short by the end of the file
};

Voci leggiVoci(const QByteArray& file);

}  // namespace velmora::modello

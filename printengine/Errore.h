#pragma once

// Runtime errors of the engine: a number and a description, as the messages
// of the library show them ("Errore N. 13" ...).

#include <QString>

#include <exception>

namespace velmora {

class Errore : public std::exception {
public:
    Errore(int numero, QString descrizione = QString());
    int numero() const { return num; }
    const QString& descrizione() const { return descr; }
    const char* what() const noexcept override { return "velmora::Errore"; }

private:
    int num;
    QString descr;
};

// The system's description of a runtime error number.
QString descrizioneErrore(int numero);

// Error numbers the engine raises.
enum NumeroErrore : int {
    ErrChiamataNonValida = 5,
    ErrOverflow = 6,
    ErrMemoria = 7,
    ErrIndice = 9,
    ErrTipo = 13,
    ErrNomeFile = 52,
    ErrFileNonTrovato = 53,
    ErrFileGiaAperto = 55,
    ErrPermesso = 70,
    ErrAccesso = 75,
    ErrPercorso = 76,
    ErrOggetto = 91,
    ErrValoreProprieta = 380,
    ErrStampante = 482,
};

}  // namespace velmora

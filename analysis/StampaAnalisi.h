#pragma once

// Prints the analysis through the print library, which is created through the
// component layer by its class identity and never linked.

#include <QString>

struct DatiAnalisi;
namespace platform {
class Prompter;
}

struct OpzioniStampa {
    bool anteprima = true;  // record the page and show it in the preview
    QString stampante;      // printer to use instead of the current one (direct printing)
    QString fileUscita;     // file a file printer writes
};

// Runs the whole print; a failing step is skipped and the next one runs. When a
// step failed, shows the last error's description (critical icon) and returns it;
// returns an empty text when all went well.
QString StampaAnalisi(const DatiAnalisi& d, platform::Prompter& prompter,
                      const OpzioniStampa& opzioni = {});

// The description of a failure the print library reported.
QString descrizioneErroreStampa(long hr);

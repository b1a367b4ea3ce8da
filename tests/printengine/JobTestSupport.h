#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "Printer.h"
#include "Prompter.h"
#include "SettingsStore.h"
#include "clsModStampa.h"

// A job with scripted prompts, an in-memory settings store and the window-less
// window and dialogs; its printer is the PDF printer unless told otherwise.
struct JobFixture {
    platform::ScriptedPrompter prompter;
    platform::MemorySettingsStore settings;
    velmora::HeadlessPrinterDialogs dialogs;
    velmora::HeadlessPreviewWindow* lastWindow = nullptr;
    std::function<void(velmora::clsModStampa&)> whileShown;
    int windowsOpened = 0;
    velmora::clsModStampa* job = nullptr;

    explicit JobFixture(QString printer = platform::Printer::pdfPrinterName()) {
        prompter.setOnUnexpected([](const QString& what) { ADD_FAILURE() << what.toStdString(); });
        velmora::clsModStampa::Servizi s;
        s.prompter = &prompter;
        s.settings = &settings;
        s.dialogs = &dialogs;
        s.printerName = printer;
        s.window = [this] {
            auto w = std::make_unique<velmora::HeadlessPreviewWindow>();
            w->whileShown = whileShown;
            lastWindow = w.get();
            ++windowsOpened;
            return w;
        };
        job = new velmora::clsModStampa(s);
    }
    ~JobFixture() { job->Release(); }
    velmora::clsModStampa& j() { return *job; }
};

inline QStringList namesOf(const velmora::ClsPagina& p) {
    QStringList n;
    for (const auto& c : p.Comandi()) n << c->NomeComando;
    return n;
}

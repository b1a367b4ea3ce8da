#pragma once

// What the engine asks of its preview and designer window. The real window
// implements it; the headless one stands in for tests and the command line.

#include <QStringList>

#include <functional>
#include <memory>

namespace velmora {

class clsModStampa;

class PreviewWindow {
public:
    virtual ~PreviewWindow() = default;
    // Binds the window to the job (the window then reaches the shared state).
    virtual void Init(clsModStampa* engine) = 0;
    virtual void ShowFirstPage() = 0;
    virtual void ImpostaForm() = 0;
    virtual void VisualizzaPagina() = 0;
    // Returns when the user closes the window.
    virtual void showModal() = 0;
};

using PreviewWindowFactory = std::function<std::unique_ptr<PreviewWindow>()>;

// Shows nothing: records the calls it receives, puts page 1 on show when there
// is one, and "closes" at once after running an optional hook.
class HeadlessPreviewWindow : public PreviewWindow {
public:
    void Init(clsModStampa* engine) override;
    void ShowFirstPage() override;
    void ImpostaForm() override;
    void VisualizzaPagina() override;
    void showModal() override;

    // Runs while the window is "open", with the job it shows.
    std::function<void(clsModStampa&)> whileShown;
    QStringList calls;

private:
    clsModStampa* job = nullptr;
};

}  // namespace velmora

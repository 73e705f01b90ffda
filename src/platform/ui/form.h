#pragma once

#include <QDialog>

// A window of the station. Constructing it builds nothing visible; Load() runs its
// load step once (so that the load of one form may call into another that is
// itself still loading), Show() shows it modeless, Show_Modal() through the modal
// seam, and Unload() runs its unload step and destroys the window. Each form has one
// program-wide instance (Default_Instance).
namespace ui {

class Form : public QDialog {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);

    bool isLoaded() const { return loaded_; }
    void Load();
    void Show(QWidget* owner = nullptr);
    void Show_Modal(QWidget* owner = nullptr);
    void Hide() { hide(); }

    // Runs the unload step; Default_Instance<F>::Unload also destroys the window.
    void Run_Unload();

    // Escape and a request to close the window; a window that stays up ignores it.
    void reject() override;

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    void keyPressEvent(QKeyEvent* e) override;

    // For the windows the station itself shows and hides (login screen, header bar,
    // rack screen, bench, histogram): no key and no request to close hides them. A barcode
    // reader or a bench keyboard may send Escape or Enter at any time.
    void stayUp() { staysUp_ = true; }

private:
    void adoptOwner(QWidget* owner);
    bool loaded_ = false;
    bool staysUp_ = false;
};

// The one instance of a form: created on first use, destroyed by Unload, and made
// anew at the next use.
template <class F>
class Default_Instance {
public:
    static F& get()
    {
        if (!slot()) slot() = new F();
        return *slot();
    }
    // The form, loaded.
    static F& loaded()
    {
        F& f = get();
        f.Load();
        return f;
    }
    static bool exists() { return slot() != nullptr; }
    static void Unload()
    {
        if (F* f = slot()) {
            slot() = nullptr;
            f->Run_Unload();
            f->hide();
            f->deleteLater();
        }
    }

private:
    static F*& slot()
    {
        static F* instance = nullptr;
        return instance;
    }
};

}  // namespace ui

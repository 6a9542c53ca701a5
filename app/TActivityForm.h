#pragma once
// Base of the activity windows: the background music stops while the window is
// shown and resumes when it closes (both only with the music switch on), and the
// close brings back the window that opened it (shown again, or re-centred).

#include "app/TForm.h"

class TActivityForm : public TForm {
    Q_OBJECT
public:
    explicit TActivityForm(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::Window);

protected:
    // Windows whose rules say otherwise turn these off.
    bool stopsMusic_ = true;
    bool returnsToOpener_ = true;

    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
};

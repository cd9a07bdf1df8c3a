#pragma once

#include <QDialog>

class QLabel;
class chameleonButton;

namespace tools {

// "About Locastra": the version, the maker's notice, the trademark line, the link to
// the maker's web site and the Close button. Esc and Close unload it.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* owner = nullptr);

    // The link label's click: opens "http://" + its text maximised with the shell.
    void Label4_Click();
    void ButtonClose_Click();

    QLabel* Picture1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    chameleonButton* ButtonClose = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void Form_Load();
};

// Help > About: shows the About window modally over owner.
void ShowAbout(QWidget* owner);

} // namespace tools

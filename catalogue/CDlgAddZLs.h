// The form of a ZL item's two placement choices, each a pair of radio buttons, with its picture.
#pragma once

#include <QDialog>

class QLabel;

// The choice is the index of the checked button of each pair (0 for 1033 or 1035, 1 for 1034 or 1036),
// -1 before the form has run. In edit mode the buttons show the stored choice and OK reads text 68; in
// new mode 1033 and 1035 are checked.
class CDlgAddZLs : public QDialog
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplateId = 221;
    static constexpr int kIdBild = 1028;
    static constexpr int kIdErstes = 1033; // 1033/1034 and 1035/1036

    // The picture shown: 222 while the first radio button is checked, else 223.
    static quint32 BildId(bool bErstesGewaehlt) { return bErstesGewaehlt ? 222 : 223; }

    explicit CDlgAddZLs(QWidget* parent = nullptr);

    // Call before showing: fills the buttons from the stored choice (edit) or checks the first ones.
    void Vorbereiten(bool bBearbeiten);

    int m_nWahl1 = -1;
    int m_nWahl2 = -1;

    quint32 GezeigtesBild() const { return m_nBild; }
    // Checks a button as a click does and reloads the picture.
    void Klick(int id);

private:
    void LadeBild();
    void Uebernehmen();

    quint32 m_nBild = 0;
};

// The 3D view settings: twelve check boxes that switch parts of the scene on and off at once.
#pragma once

#include "ui/CDlgBase.h"
#include "view3d/SAnsicht3DFlags.h"

#include <array>

class CQOR3DView;

class CDlg3DViewSettings : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplate = 504;
    // A check box and the display switch it sets; -1 for the view's own screenshot-frame switch.
    struct Box
    {
        int id;
        int flag;
    };
    // The boxes in the order their values are exchanged.
    static constexpr std::array<Box, 12> kBoxes = {{{1088, 4},
                                                    {1154, 3},
                                                    {1155, 1},
                                                    {1156, 0},
                                                    {1157, 2},
                                                    {1158, 6},
                                                    {1159, 5},
                                                    {1160, 7},
                                                    {1161, 8},
                                                    {1177, -1},
                                                    {1324, 9},
                                                    {1325, 10}}};
    static constexpr int kOrthographicBox = 1160;

    explicit CDlg3DViewSettings(QWidget* parent = nullptr);

    // Index of a box in kBoxes, -1 for another id.
    static int BoxIndex(int id);
    // Checks the boxes from m_nCheck, or reads them into it.
    void ExchangeBoxes(bool save);

    SAnsicht3DFlags m_Flags;
    int m_bNoSave = 0;
    int bRenderAll = 0;
    // One value per box of kBoxes; box 1324 starts checked.
    std::array<int, 12> m_nCheck{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0};
    CQOR3DView* m_pView = nullptr;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnOK() override;
};

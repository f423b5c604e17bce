// The 3D settings dialog: the device the 3D views are drawn with, chosen from what the driver offers.
#pragma once

#include "platform/GlProbe.h"
#include "ui/CDlgBase.h"
#include "view3d/AdapterCaps3D.h"

class QButtonGroup;
class QComboBox;

class CDlgSettings3D : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplate = 1200;
    // How the dialog ended.
    static constexpr int kEndOk = 0;
    static constexpr int kEndCancel = 2;
    // The lists, in the order they depend on each other.
    static constexpr int kAdapters = 1205;
    static constexpr int kDeviceTypes = 1206;
    static constexpr int kModes = 1209;
    static constexpr int kBackBuffers = 1210;
    static constexpr int kDepths = 1211;
    static constexpr int kSamples = 1212;
    static constexpr int kQualities = 1213;

    // `record` is edited in place: on OK, and when a file is loaded or saved. With `useRecord` the
    // dialog starts from it.
    CDlgSettings3D(AdapterCaps3D caps, GlSettingsRecord* record, bool useRecord, QWidget* parent = nullptr);

    // The record as the controls give it (fields of empty lists as the record had them).
    GlSettingsRecord DialogToRecord() const;
    // Selects what the record names, refilling the dependent lists; what no list offers stays selected
    // as it was.
    void RecordToDialog(const GlSettingsRecord& record);
    // The buttons' work after their file dialogs; false with the reason in `why` (nothing changed).
    bool SaveTo(const QString& path, QString* why = nullptr);
    bool LoadFrom(const QString& path, QString* why = nullptr);
    QComboBox* List(int id) const;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    bool OnCtrlMessage(QWidget* ctrl, QEvent* event) override;
    void reject() override;

private:
    void Fill(int id);
    void FillAfter(int id);
    void OnSelectionChanged(int id);
    void SetHelp(int textId);

    AdapterCaps3D m_caps;
    GlSettingsRecord* m_record;
    bool m_useRecord;
    bool m_filling = false;
    QButtonGroup* m_window = nullptr;
    QButtonGroup* m_vertex = nullptr;
    QButtonGroup* m_bits = nullptr;
    QButtonGroup* m_rate = nullptr;
};

// Shows the 3D settings dialog for `record`; 1 when the record is null or no OpenGL driver answers (after
// text 155 is shown), 0 after OK, 2 after Cancel.
int ShowD3DSettingsDialog(GlSettingsRecord* record, bool useRecord, QWidget* parent);

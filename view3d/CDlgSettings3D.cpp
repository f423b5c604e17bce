// The 3D settings dialog: lists filled in order from the driver's answers, selections kept by value.
#include "view3d/CDlgSettings3D.h"

#include "model/text/TextFormat.h"
#include "platform/ResourceModule.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"
#include "view3d/Settings3DRecord.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QLabel>

#include <algorithm>
#include <cstring>

namespace {

using GlSettings::Field;
using GlSettings::SetField;

QString Text(quint32 id)
{
    const ResourceModule* module = ResourceModule::Current();
    return module ? module->String(id) : QString();
}

QByteArray Bytes(const GlSettingsRecord& r, int offset, int size)
{
    return QByteArray(reinterpret_cast<const char*>(r.data() + offset), size);
}

QByteArray Value(std::uint32_t v)
{
    GlSettingsRecord r{};
    SetField(r, 0, v);
    return Bytes(r, 0, 4);
}

constexpr int kLists[] = {CDlgSettings3D::kAdapters, CDlgSettings3D::kDeviceTypes,
                          CDlgSettings3D::kModes,    CDlgSettings3D::kBackBuffers,
                          CDlgSettings3D::kDepths,   CDlgSettings3D::kSamples,
                          CDlgSettings3D::kQualities};

// Where each list's value lies in the record and how long it is.
std::pair<int, int> FieldOf(int list)
{
    switch (list) {
    case CDlgSettings3D::kAdapters:
        return {Settings3DRecord::kAdapter, 4};
    case CDlgSettings3D::kDeviceTypes:
        return {Settings3DRecord::kDeviceType, 4};
    case CDlgSettings3D::kModes:
        return {Settings3DRecord::kMode, Settings3DRecord::kModeSize};
    case CDlgSettings3D::kBackBuffers:
        return {Settings3DRecord::kBackBufferFormat, 4};
    case CDlgSettings3D::kDepths:
        return {Settings3DRecord::kDepthFormat, 4};
    case CDlgSettings3D::kSamples:
        return {Settings3DRecord::kMultiSample, 4};
    default:
        return {Settings3DRecord::kQuality, 4};
    }
}

int HelpOf(int list)
{
    switch (list) {
    case CDlgSettings3D::kAdapters:
        return 900;
    case CDlgSettings3D::kDeviceTypes:
        return 901;
    case CDlgSettings3D::kModes:
        return 902;
    case CDlgSettings3D::kBackBuffers:
        return 903;
    case CDlgSettings3D::kDepths:
        return 904;
    case CDlgSettings3D::kSamples:
        return 905;
    case CDlgSettings3D::kQualities:
        return 906;
    default:
        return 907;
    }
}

std::uint32_t Current(const QComboBox* list)
{
    if (list == nullptr || list->currentIndex() < 0)
        return 0;
    const QByteArray v = list->currentData().toByteArray();
    std::uint32_t value = 0;
    if (v.size() >= 4)
        std::memcpy(&value, v.constData(), 4);
    return value;
}

QButtonGroup* Group(QWidget* dialog, std::initializer_list<int> ids)
{
    auto* group = new QButtonGroup(dialog);
    group->setExclusive(true);
    for (int id : ids)
        if (auto* button = dialog->findChild<QAbstractButton*>(ControlId::ObjectName(id)))
            group->addButton(button, id);
    return group;
}

void Check(QButtonGroup* group, int id)
{
    if (QAbstractButton* button = group->button(id))
        button->setChecked(true);
}

} // namespace

CDlgSettings3D::CDlgSettings3D(AdapterCaps3D caps, GlSettingsRecord* record, bool useRecord, QWidget* parent)
    : CDlgBase(kTemplate, parent), m_caps(std::move(caps)), m_record(record), m_useRecord(useRecord)
{
    m_window = Group(this, {1207, 1208});
    m_vertex = Group(this, {1214, 1215});
    m_bits = Group(this, {1220, 1221});
    m_rate = Group(this, {1222, 1223, 1224});
    for (int id : kLists)
        if (QComboBox* list = List(id)) {
            connect(list, &QComboBox::currentIndexChanged, this, [this, id] { OnSelectionChanged(id); });
            SubclassCtrl(id);
        }
    SubclassCtrl(1214);
    SubclassCtrl(1215);
    // Only windowed display is offered here.
    if (QAbstractButton* full = m_window->button(1208))
        full->setEnabled(false);
}

QComboBox* CDlgSettings3D::List(int id) const
{
    return findChild<QComboBox*>(ControlId::ObjectName(id));
}

bool CDlgSettings3D::OnInitDialog()
{
    const bool result = CDlgBase::OnInitDialog();
    Check(m_window, 1207);
    Check(m_vertex, 1214);
    Check(m_bits, 1221);
    Check(m_rate, 1224);
    m_filling = true;
    for (int id : kLists)
        Fill(id);
    m_filling = false;
    if (m_useRecord && m_record)
        RecordToDialog(*m_record);
    return result;
}

void CDlgSettings3D::Fill(int id)
{
    QComboBox* list = List(id);
    if (list == nullptr)
        return;
    list->clear();
    const std::uint32_t colour = Current(List(kBackBuffers));
    const std::uint32_t depth = Current(List(kDepths));
    switch (id) {
    case kAdapters:
        list->addItem(m_caps.adapter, Value(0));
        break;
    case kDeviceTypes:
        if (m_caps.hardware)
            list->addItem(Text(62), Value(Settings3DRecord::kHardware));
        list->addItem(Text(63), Value(Settings3DRecord::kSoftware));
        break;
    case kModes: {
        GlSettingsRecord r{};
        SetField(r, 0, static_cast<std::uint32_t>(m_caps.desktop.width()));
        SetField(r, 4, static_cast<std::uint32_t>(m_caps.desktop.height()));
        SetField(r, 8, static_cast<std::uint32_t>(m_caps.refresh));
        SetField(r, 12, m_caps.displayFormat);
        const QString format = Settings3DRecord::FormatName(m_caps.displayFormat);
        const QString text = m_caps.refresh > 0 ? QStringLiteral("%1 x %2 (%3, %4 Hz)")
                                                      .arg(m_caps.desktop.width())
                                                      .arg(m_caps.desktop.height())
                                                      .arg(format)
                                                      .arg(m_caps.refresh)
                                                : QStringLiteral("%1 x %2 (%3)")
                                                      .arg(m_caps.desktop.width())
                                                      .arg(m_caps.desktop.height())
                                                      .arg(format);
        list->addItem(text, Bytes(r, 0, 16));
        break;
    }
    case kBackBuffers:
        for (std::uint32_t format : Settings3DRecord::kBackBufferFormats)
            if (m_caps.ColourOk(format)) {
                QString text = Settings3DRecord::FormatName(format);
                if (format != m_caps.displayFormat)
                    text += QLatin1Char(' ') + Text(64);
                list->addItem(text, Value(format));
            }
        break;
    case kDepths:
        for (std::uint32_t format : Settings3DRecord::kDepthFormats)
            if (m_caps.DepthOk(colour, format))
                list->addItem(Settings3DRecord::FormatName(format), Value(format));
        break;
    case kSamples:
        for (int samples = 0; samples <= Settings3DRecord::kMaxSamples; ++samples)
            if (samples != 1 && m_caps.SamplesOk(colour, depth, samples))
                list->addItem(samples == 0 ? Text(65) : QStringLiteral("%1 Samples").arg(samples),
                              Value(static_cast<std::uint32_t>(samples)));
        break;
    case kQualities:
        // One quality level for every multisample type here.
        list->addItem(QString::fromStdString(FormatChecked(Text(66).toStdString(), {1, 1})), Value(0));
        list->setCurrentIndex(list->count() - 1);
        break;
    default:
        break;
    }
}

void CDlgSettings3D::FillAfter(int id)
{
    bool after = false;
    for (int list : kLists) {
        if (after)
            Fill(list);
        after = after || list == id;
    }
}

GlSettingsRecord CDlgSettings3D::DialogToRecord() const
{
    GlSettingsRecord r = m_record ? *m_record : GlSettings::Make(640, 480, 0, 0);
    for (int id : kLists) {
        const QComboBox* list = List(id);
        if (list == nullptr || list->currentIndex() < 0)
            continue;
        const QByteArray v = list->currentData().toByteArray();
        const auto [offset, size] = FieldOf(id);
        if (v.size() == size)
            std::copy(v.begin(), v.end(), r.begin() + offset);
    }
    SetField(r, Settings3DRecord::kWindowed, m_window->checkedId() == 1208 ? 0 : 1);
    SetField(r, Settings3DRecord::kFlags,
             Settings3DRecord::kMultithreaded |
                 (m_vertex->checkedId() == 1214 ? Settings3DRecord::kHardwareVertexProcessing
                                                : Settings3DRecord::kSoftwareVertexProcessing));
    SetField(r, Settings3DRecord::kBits, m_bits->checkedId() == 1220 ? 8 : 16);
    SetField(r, Settings3DRecord::kSampleRate,
             m_rate->checkedId() == 1222 ? 11025 : (m_rate->checkedId() == 1223 ? 22050 : 44100));
    return r;
}

void CDlgSettings3D::RecordToDialog(const GlSettingsRecord& record)
{
    const bool wasFilling = m_filling;
    m_filling = true;
    for (int id : kLists) {
        QComboBox* list = List(id);
        if (list == nullptr)
            continue;
        if (id != kAdapters)
            Fill(id);
        const auto [offset, size] = FieldOf(id);
        const int index = list->findData(Bytes(record, offset, size));
        if (index >= 0)
            list->setCurrentIndex(index);
    }
    m_filling = wasFilling;
    Check(m_window, Field(record, Settings3DRecord::kWindowed) == 0 ? 1208 : 1207);
    Check(m_vertex, (Field(record, Settings3DRecord::kFlags) & Settings3DRecord::kHardwareVertexProcessing)
                        ? 1214
                        : 1215);
    Check(m_bits, Field(record, Settings3DRecord::kBits) == 8 ? 1220 : 1221);
    const std::uint32_t rate = Field(record, Settings3DRecord::kSampleRate);
    Check(m_rate, rate == 11025 ? 1222 : (rate == 22050 ? 1223 : 1224));
}

void CDlgSettings3D::OnSelectionChanged(int id)
{
    if (m_filling)
        return;
    const GlSettingsRecord r = DialogToRecord();
    m_filling = true;
    FillAfter(id);
    m_filling = false;
    RecordToDialog(r);
}

void CDlgSettings3D::SetHelp(int textId)
{
    if (auto* help = findChild<QLabel*>(ControlId::ObjectName(1217)))
        help->setText(Text(static_cast<quint32>(textId)));
}

bool CDlgSettings3D::OnCtrlMessage(QWidget* ctrl, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::Enter)
        SetHelp(HelpOf(ControlId::FromObjectName(ctrl->objectName())));
    return CDlgBase::OnCtrlMessage(ctrl, event);
}

bool CDlgSettings3D::SaveTo(const QString& path, QString* why)
{
    const GlSettingsRecord r = DialogToRecord();
    if (!Settings3DRecord::Save(path, r, why))
        return false;
    if (m_record)
        *m_record = r;
    return true;
}

bool CDlgSettings3D::LoadFrom(const QString& path, QString* why)
{
    GlSettingsRecord r{};
    if (!Settings3DRecord::Load(path, &r, why))
        return false;
    if (m_record)
        *m_record = r;
    RecordToDialog(r);
    return true;
}

bool CDlgSettings3D::OnCommand(int id, int notifyCode, QObject* control)
{
    switch (id) {
    case 1203: {
        GlSettingsRecord r = DialogToRecord();
        Settings3DRecord::ApplyDeviceRule(r);
        if (m_record)
            *m_record = r;
        done(kEndOk);
        return true;
    }
    case 1204:
        done(kEndCancel);
        return true;
    case 1216: {
        const QString path =
            QFileDialog::getSaveFileName(this, Text(181), QStringLiteral("*.tbc"), Text(180));
        QString why;
        if (!path.isEmpty() &&
            !SaveTo(path.endsWith(QStringLiteral(".tbc")) ? path : path + QStringLiteral(".tbc"), &why))
            MessageBoxes().Show(this, Text(181), why, IMessageBoxService::Icon::Error,
                                IMessageBoxService::Buttons::Ok);
        return true;
    }
    case 1218: {
        const QString path = QFileDialog::getOpenFileName(this, Text(183), QString(), Text(182));
        QString why;
        if (!path.isEmpty() && !LoadFrom(path, &why))
            MessageBoxes().Show(this, Text(183), why, IMessageBoxService::Icon::Error,
                                IMessageBoxService::Buttons::Ok);
        return true;
    }
    default:
        return CDlgBase::OnCommand(id, notifyCode, control);
    }
}

void CDlgSettings3D::reject()
{
    done(kEndCancel);
}

int ShowD3DSettingsDialog(GlSettingsRecord* record, bool useRecord, QWidget* parent)
{
    if (record == nullptr)
        return 1;
    AdapterCaps3D caps = AdapterCaps3D::Probe();
    if (!caps.ok) {
        MessageBoxes().Show(parent, Text(187), Text(155), IMessageBoxService::Icon::Warning,
                            IMessageBoxService::Buttons::Ok);
        return 1;
    }
    CDlgSettings3D dialog(std::move(caps), record, useRecord, parent);
    const int end = dialog.exec();
    return end == CDlgSettings3D::kEndOk ? 0 : (end == 1 ? 1 : 2);
}

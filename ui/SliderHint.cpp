// The hint after a slider closed: box, answer and document.
#include "ui/SliderHint.h"

#include "model/base/ProgramFolders.h"
#include "model/text/TextProvider.h"
#include "platform/ResourceModule.h"
#include "ui/CDlgMsgboxHtml.h"
#include "ui/DesktopOpen.h"
#include "ui/IMessageBoxService.h"
#include "ui/ProgramRun.h"
#include "ui/RegionalVersion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>

namespace {

QString CurrentLanguage()
{
    const ResourceModule* module = ResourceModule::Current();
    return module ? module->Code() : QString();
}

QString Text(int id)
{
    return QString::fromStdString(LoadResString(quint32(id)));
}

int RealBox(bool* checked)
{
    CDlgMsgboxHtml box(nullptr);
    box.SetHeaderFooter(true);
    box.SetBodyType(CDlgMsgboxHtml::kBodyString);
    box.SetDefaultButton(CDlgBase::kIdOk);
    box.SetShowCheckBox(true);
    const int result = box.DoModalIds(SliderHint::kTextId, SliderHint::kTitleId, CDlgBase::kIdOk, -1,
                                      SliderHint::kOpenButtonId, SliderHint::kOpenCaptionId);
    *checked = box.CheckState();
    return result;
}

bool RealOpen(const QString& path, QWidget* owner)
{
    if (!QFileInfo(path).isFile())
        return false;
    // A viewer that is missing or fails is said later, by the opener.
    OpenOnDesktop(owner, path);
    return true;
}

void RealMessage(const QString& text, QWidget* owner)
{
    MessageBoxes().Show(owner, Text(SliderHint::kTitleId), text, IMessageBoxService::Icon::Warning,
                        IMessageBoxService::Buttons::Ok);
}

SliderHint::Services& Current()
{
    static SliderHint::Services services{CurrentLanguage, RealBox, RealOpen, RealMessage};
    return services;
}

} // namespace

QString SliderHint::DocumentPath()
{
    QString folder = QString::fromStdString(GetProgramFolders().program.string());
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    return QDir(folder).filePath(QStringLiteral("Samples/StVZO34.pdf"));
}

void SliderHint::AfterSliderClosed(ProgramRun& run, QWidget* owner)
{
    if (!run.IsSliderHinweisAnstehend())
        return;
    run.SetSliderHinweisAnstehend(false);
    if (ResourceModule::IsGermanCode(Current().languageCode()))
        ShowBox(run, owner);
}

void SliderHint::Show(ProgramRun& run, QWidget* owner)
{
    if (RegionalVersion::IsDE())
        ShowBox(run, owner);
}

void SliderHint::ShowBox(ProgramRun& run, QWidget* owner)
{
    bool& bAus = run.GetAntworten().bSliderHinweisAus;
    if (bAus)
        return;
    // The box runs its own loop: the owner may go meanwhile.
    QPointer<QWidget> guard(owner);
    bool checked = false;
    const int result = Current().showBox(&checked);
    bAus = checked;
    if (result != kOpenButtonId)
        return;
    const QString path = DocumentPath();
    if (!Current().openDocument(path, guard.data()))
        Current().showMessage(
            Text(kMissingDocumentId).replace(QLatin1String("%s"), QDir::toNativeSeparators(path)),
            guard.data());
}

SliderHint::Services SliderHint::SetServices(Services services)
{
    Services before = Current();
    Services& now = Current();
    now.languageCode = services.languageCode ? std::move(services.languageCode) : CurrentLanguage;
    now.showBox = services.showBox ? std::move(services.showBox) : RealBox;
    now.openDocument = services.openDocument ? std::move(services.openDocument) : RealOpen;
    now.showMessage = services.showMessage ? std::move(services.showMessage) : RealMessage;
    return before;
}

// The hint after a slider closed: box, answer and document.
#include "ui/SliderHint.h"

#include "model/base/ProgramFolders.h"
#include "model/text/TextProvider.h"
#include "platform/ResourceModule.h"
#include "ui/CDlgMsgboxHtml.h"
#include "ui/IMessageBoxService.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QUrl>

namespace {

bool g_pending = false;
bool g_answered = false;

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

bool RealOpen(const QString& path, QWidget*)
{
    return QFileInfo(path).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
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

void SliderHint::SetPending(bool pending)
{
    g_pending = pending;
}

bool SliderHint::Pending()
{
    return g_pending;
}

bool SliderHint::Answered()
{
    return g_answered;
}

void SliderHint::SetAnswered(bool answered)
{
    g_answered = answered;
}

QString SliderHint::DocumentPath()
{
    QString folder = QString::fromStdString(GetProgramFolders().program.string());
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    return QDir(folder).filePath(QStringLiteral("Samples/StVZO34.pdf"));
}

void SliderHint::AfterSliderClosed(QWidget* owner)
{
    if (!g_pending)
        return;
    g_pending = false;
    Show(owner);
}

void SliderHint::Show(QWidget* owner)
{
    if (!ResourceModule::IsGermanCode(Current().languageCode()) || g_answered)
        return;
    // The box runs its own loop: the owner may go meanwhile.
    QPointer<QWidget> guard(owner);
    bool checked = false;
    const int result = Current().showBox(&checked);
    g_answered = checked;
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

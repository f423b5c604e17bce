// The load-unit editor: name, type preset, sizes, mass, centre of gravity and picture of one unit.
#pragma once

#include "model/files/CatalogueFolders.h"
#include "model/files/LadungEditing.h"
#include "ui/CDlgBase.h"

#include <QImage>

#include <functional>

class QLineEdit;

// Works on a copy of the caller's record; after a save (714) the copy goes back into the caller's record.
class CDlgLadung : public CDlgBase
{
public:
    static constexpr quint32 kTemplateId = 9122;
    static constexpr int kIdSave = 714;
    // Shown in the picture frame while the unit has no picture of its own.
    static constexpr quint32 kStandardBildId = 868;

    // Mode 0 edit, 1 new, 2 copy.
    CDlgLadung(tagItemData& item, int mode, const CatalogueFolders& folders, QWidget* parent = nullptr);

    // Shows a refusal or a save failure (caption, text); a message box unless replaced.
    using Notice = std::function<void(const QString& caption, const QString& text)>;
    void SetNotice(Notice notice) { m_notice = std::move(notice); }

    QLineEdit* Field(int id) const;
    const tagItemData& Working() const { return m_work; }
    void SetPicture(const QImage& picture);
    void RemovePicture();
    // Reads a picture the user chose; one that cannot be read keeps the current picture and is reported.
    bool LoadPictureFile(const QString& file);
    // The checks and the save of button 714; answers whether the unit was saved.
    bool Save();
    void ApplyPreset(int preset);
    // Leaving a size field while the centre of gravity is centred; committing a centre-of-gravity field.
    void SizeFieldLeft();
    void GravityFieldLeft(int fieldId);
    LadungFieldTexts FieldTexts() const;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    bool OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter) override;

private:
    void SetFieldTexts(const LadungFieldTexts& texts);
    // Enables what the current state allows: apply with a preset chosen, the centre-of-gravity fields
    // and 731 while 1094 is unchecked, remove while the unit has its own picture.
    void UpdateControls();
    void Tell(const QString& text);
    bool Centred() const;

    tagItemData& m_caller;
    tagItemData m_work;
    int m_mode;
    CatalogueFolders m_folders;
    bool m_pictureChanged = false;
    QImage m_standardBild;
    Notice m_notice;
};

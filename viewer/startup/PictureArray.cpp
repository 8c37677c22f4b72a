#include "startup/PictureArray.h"

PictureArray::PictureArray(const QString& name, PictureBox* element0, QObject* parent) : QObject(parent), name_(name)
{
    element0->setObjectName(QStringLiteral("%1(0)").arg(name_));
    elements_.insert(0, element0);
    Connect(0, element0);
}

PictureBox* PictureArray::Load(int index)
{
    if (elements_.contains(index) || index < 0) return nullptr;
    PictureBox* tpl = elements_.value(0);
    auto* box = new PictureBox(tpl->parentWidget());
    box->setObjectName(QStringLiteral("%1(%2)").arg(name_).arg(index));
    box->SetStretch(true);
    box->SetPicture(tpl->CurrentPicture());
    box->SetStretch(tpl->Stretch());
    box->Move(tpl->Left(), tpl->Top(), tpl->Width(), tpl->Height());
    box->setCursor(tpl->cursor());
    box->setToolTip(tpl->toolTip());
    box->setVisible(false);
    elements_.insert(index, box);
    Connect(index, box);
    return box;
}

void PictureArray::Unload(int index)
{
    if (index == 0) return;
    if (PictureBox* box = elements_.take(index)) {
        // Deleted later: the call may come from one of the element's own events.
        box->hide();
        box->setObjectName(QString());
        box->deleteLater();
    }
}

void PictureArray::Connect(int index, PictureBox* box)
{
    connect(box, &PictureBox::MouseDown, this,
            [this, index](int b, int s, float x, float y) { Q_EMIT MouseDown(index, b, s, x, y); });
    connect(box, &PictureBox::MouseUp, this,
            [this, index](int b, int s, float x, float y) { Q_EMIT MouseUp(index, b, s, x, y); });
}

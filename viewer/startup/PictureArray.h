// Control array of image controls (HotImg): element 0 exists from design and is the template; loading
// element n makes an invisible copy of it; unloading removes it. Element objectNames are "HotImg(n)".
#pragma once

#include "startup/PictureBox.h"

#include <QMap>
#include <QObject>

class PictureArray : public QObject {
    Q_OBJECT
public:
    PictureArray(const QString& name, PictureBox* element0, QObject* parent = nullptr);

    PictureBox* operator[](int index) const { return elements_.value(index); }
    PictureBox* Element(int index) const { return elements_.value(index); }
    // Fails (nullptr) when the index is already loaded.
    PictureBox* Load(int index);
    void Unload(int index);
    int UBound() const { return elements_.isEmpty() ? -1 : elements_.lastKey(); }

Q_SIGNALS:
    void MouseDown(int index, int button, int shift, float x, float y);
    void MouseUp(int index, int button, int shift, float x, float y);

private:
    void Connect(int index, PictureBox* box);
    QString name_;
    QMap<int, PictureBox*> elements_;
};

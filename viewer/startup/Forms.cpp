#include "startup/Forms.h"

#include <QEvent>
#include <QHash>
#include <unordered_map>

namespace Forms {

namespace {
std::unordered_map<std::type_index, QPointer<QWidget>>& Registry()
{
    static std::unordered_map<std::type_index, QPointer<QWidget>> registry;
    return registry;
}

void Forget(QWidget* window)
{
    for (auto& [type, w] : Registry())
        if (w == window) w = nullptr;
}

class CloseWatcher : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close && event->isAccepted()) {
            auto* w = static_cast<QWidget*>(watched);
            Forget(w);
            w->deleteLater();
        }
        return false;
    }
};
} // namespace

namespace detail {
QWidget* Find(std::type_index type)
{
    auto it = Registry().find(type);
    return it == Registry().end() ? nullptr : it->second.data();
}

void Store(std::type_index type, QWidget* window) { Registry()[type] = window; }

void Unload(std::type_index type)
{
    auto it = Registry().find(type);
    if (it == Registry().end() || !it->second) return;
    QPointer<QWidget> w = it->second;
    it->second = nullptr;
    w->hide();
    w->deleteLater();
}
} // namespace detail

void UnloadOnClose(QWidget* window)
{
    window->installEventFilter(new CloseWatcher(window));
}

} // namespace Forms

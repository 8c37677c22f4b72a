// One process-wide instance per window class: built and loaded on first use, destroyed when unloaded;
// the next use builds a fresh one whose load handler runs again.
//
// A window class T is a QWidget with a public Form_Load(); its constructor only builds the controls.
#pragma once

#include <QPointer>
#include <QWidget>
#include <typeindex>

namespace Forms {

namespace detail {
QWidget* Find(std::type_index type);
void Store(std::type_index type, QWidget* window);
void Unload(std::type_index type);
}

// The loaded instance, building and loading it when there is none.
template <class T> T* get()
{
    if (QWidget* w = detail::Find(typeid(T))) return static_cast<T*>(w);
    T* window = new T();
    detail::Store(typeid(T), window);
    window->Form_Load();
    return static_cast<T*>(detail::Find(typeid(T)));   // the load handler may have unloaded it
}

// The loaded instance or nullptr; never loads.
template <class T> T* loaded() { return static_cast<T*>(detail::Find(typeid(T))); }

// Closes and destroys the instance (later, so a handler of it may still be on the stack).
template <class T> void unload() { detail::Unload(typeid(T)); }

// Shows a dialog window T modally, owned by owner (none when null), and unloads it when it closes, however
// it was closed (its own buttons, Escape, the title bar).
template <class T> void showModal(QWidget* owner)
{
    QPointer<T> window = get<T>();
    if (!window) return;
    if (owner) window->setParent(owner, window->windowFlags());
    window->exec();
    if (window && loaded<T>() == window) unload<T>();
}

// Makes closing the window (its own close button, close()) unload it.
void UnloadOnClose(QWidget* window);

} // namespace Forms

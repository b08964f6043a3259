#pragma once

// The real main window over scripted dialogs: every modal question, file
// dialog and message the window would show is answered from a script and
// recorded.

#include <deque>
#include <ostream>
#include <memory>
#include <optional>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <gtest/gtest.h>

#include "ui/dialogs.hpp"
#include "ui/main_window.hpp"

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace glt::ui::testing_support {

class ScriptedDialogs : public Dialogs {
public:
    std::optional<QString> OpenFile(QWidget*) override { return Next(openAnswers, "open dialog"); }
    std::optional<QString> SaveFile(QWidget*) override { return Next(saveAnswers, "save dialog"); }
    bool Ask(QWidget*, QMessageBox::Icon icon, const QString& text) override
    {
        questions.push_back(text);
        icons.push_back(icon);
        return Next(askAnswers, "question").value_or(false);
    }
    void Tell(QWidget*, QMessageBox::Icon, const QString& caption, const QString& text) override
    {
        messages.push_back(caption + QStringLiteral(": ") + text);
    }

    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::deque<bool> askAnswers;
    std::vector<QString> questions;
    std::vector<QMessageBox::Icon> icons;
    std::vector<QString> messages;

private:
    template <class T>
    static std::optional<T> Next(std::deque<std::optional<T>>& answers, const char* what)
    {
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted " << what;
            return std::nullopt;
        }
        // Unwrapped before the copy: GCC 12 at -O2 otherwise warns that the
        // copied optional's string may be uninitialised.
        if (!answers.front().has_value()) {
            answers.pop_front();
            return std::nullopt;
        }
        T answer = *answers.front();
        answers.pop_front();
        return answer;
    }
    static std::optional<bool> Next(std::deque<bool>& answers, const char* what)
    {
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted " << what;
            return std::nullopt;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture() : window(std::make_unique<TFMain>(dialogs)) {}

    template <class T>
    T& Find(const char* name)
    {
        T* widget = window->findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            throw std::runtime_error(std::string("no control ") + name);
        }
        return *widget;
    }

    QAction& Action(const char* name) { return Find<QAction>(name); }

    // The user picks an item of a drop-down list.
    static void Pick(QComboBox& box, int index)
    {
        box.setCurrentIndex(index);
        emit box.activated(index);
    }

    std::uint8_t Byte(std::size_t offset) const { return window->Doc().image[offset]; }

    ScriptedDialogs dialogs;
    std::unique_ptr<TFMain> window;
};

// Runs action, closing and recording the text of every modal box it opens
// (the error box runs its own event loop).
template <class F>
std::vector<QString> CloseModalBoxes(F&& action)
{
    std::vector<QString> texts;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&texts] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            texts.push_back(box->windowTitle() + QStringLiteral(": ") + box->text());
            box->done(QMessageBox::Ok);
        }
    });
    timer.start();
    action();
    return texts;
}

} // namespace glt::ui::testing_support

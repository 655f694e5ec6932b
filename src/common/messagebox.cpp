#include "common/messagebox.h"

#include "common/log.h"

#include <QApplication>
#include <QMessageBox>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

MessageService *installedService = nullptr;

QMessageBox::Icon boxIcon(MessageService::Icon icon)
{
    switch (icon) {
    case MessageService::Icon::Information:
        return QMessageBox::Information;
    case MessageService::Icon::Warning:
        return QMessageBox::Warning;
    case MessageService::Icon::Critical:
        return QMessageBox::Critical;
    case MessageService::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

void LogShown(const QString &text, const QString &title, MessageService::Icon icon,
              const std::source_location &caller)
{
    const QLoggingCategory &category = LogCategoryOfSource(caller.file_name());
    const QtMsgType type = icon == MessageService::Icon::Critical  ? QtCriticalMsg
                           : icon == MessageService::Icon::Warning ? QtWarningMsg
                                                                   : QtInfoMsg;
    if (!category.isEnabled(type))
        return;
    // The box's own place in the code, so the journal can tell where it came from.
    const QMessageLogger logger(caller.file_name(), int(caller.line()), caller.function_name(),
                                category.categoryName());
    const QString line = title + u": "_s + text;
    if (type == QtCriticalMsg)
        logger.critical().noquote() << line;
    else if (type == QtWarningMsg)
        logger.warning().noquote() << line;
    else
        logger.info().noquote() << line;
}

} // namespace

MessageService::~MessageService() = default;

MessageService &MessageService::current()
{
    static DialogMessageService dialogs;
    return installedService ? *installedService : dialogs;
}

MessageService *MessageService::setCurrent(MessageService *service)
{
    return std::exchange(installedService, service);
}

MessageService::Answer ShowMessage(const QString &text, const QString &title,
                                   MessageService::Icon icon, MessageService::Buttons buttons,
                                   const std::source_location &caller)
{
    LogShown(text, title, icon, caller);
    return MessageService::current().show(text, title, icon, buttons);
}

MessageService::Answer DialogMessageService::show(const QString &text, const QString &title,
                                                  Icon icon, Buttons buttons)
{
    const bool question = buttons == Buttons::YesNo;
    QMessageBox box(boxIcon(icon), title, text,
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setDefaultButton(question ? QMessageBox::Yes : QMessageBox::Ok);
    const int pressed = box.exec();
    if (!question)
        return Answer::Ok;
    // Closing the box any other way counts as No.
    return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

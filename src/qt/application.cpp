// Start-up of the desktop program.
#include "qt/application.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/instance_channel.h"
#include "app/startup.h"
#include "base/version.h"
#include "qt/command_icons.h"
#include "qt/main_window.h"
#include "qt/qt_text.h"
#include "qt/qt_ui.h"
#include "qt/single_instance.h"
#include "ui/message_box.h"
#include "ui/ui.h"
#include "workforms/workform_locator.h"

namespace recaster::qt {

namespace {
QString ChannelName(QString channel) {
    if (!channel.isEmpty()) return channel;
    QByteArray fromEnv = qgetenv("RECASTER_INSTANCE_CHANNEL");
    if (!fromEnv.isEmpty()) return QString::fromLocal8Bit(fromEnv);
    return FromPath(app::InstanceChannelPath(app::CurrentInstanceEnvironment()));
}
}  // namespace

Application::Application(QString channel)
    : ui_(std::make_unique<QtUi>()),
      instance_(std::make_unique<SingleInstance>(ChannelName(std::move(channel)))) {}

Application::~Application() {
    window_.reset();
    if (ui::HasCurrentUi() && &ui::CurrentUi() == ui_.get()) ui::SetCurrentUi(nullptr);
}

Application::StartResult Application::Start(const std::vector<std::string>& args) {
    const std::string workingDirectory = ToPath(QDir::currentPath());
    std::vector<std::string> files = app::FilesOfCommandLine(args);
    // 1. One instance per desktop session: a second start hands over its files.
    std::string message = app::EncodeForwardedFiles(files, workingDirectory);
    const SingleInstance::Role role = instance_->Start(QByteArray::fromStdString(message));
    if (role == SingleInstance::Role::Forwarded) return StartResult::Forwarded;
    QObject::connect(instance_.get(), &SingleInstance::messageReceived,
                     [this](const QByteArray& m) { OpenForwarded(m); });

    ui::SetCurrentUi(ui_.get());
    QApplication::setWindowIcon(ProgramIcon());
    if (role == SingleInstance::Role::Alone) {
        // Not worth stopping for: the user loses only the hand-over.
        const QString text =
            instance_->problem() +
            QStringLiteral(
                "\n\nRecaster II runs on, but a further start will run a program of "
                "its own instead of opening its files here.");
        ui::ShowMessageBoxText(*ui_, 0, ToModel(text).value_or(ToPath(text)),
                               ui::MB_OK | ui::MB_ICONEXCLAMATION);
    }
    // 2. The workforms, before any window can ask for them.
    app::LoadWorkformCatalog(*ui_, workforms::WorkformLocator::ForThisProgram());

    // 3. The main window, where it was last time.
    window_ = std::make_unique<MainWindow>(*ui_);
    ui_->SetMainWindow(window_.get());
    window_->ShowAtStart();

    // 4. The named files, or the Open dialog. Those that fail have been
    // reported; the main window stays for the user to open another.
    for (std::string& file : files) file = app::AbsolutePath(file, workingDirectory);
    app::OpenAtStart(
        files, [this](const std::string& f) { return window_->OpenDocumentFile(f); },
        [this] { window_->RunCommand(app::kCmdFileOpen); });
    return StartResult::Running;
}

void Application::OpenForwarded(const QByteArray& message) {
    if (!window_) return;
    window_->ComeToFront();
    for (std::string& file : app::DecodeForwardedFiles(message.toStdString())) {
        pendingFiles_.push_back(std::move(file));
    }
    OpenPendingFiles();
}

void Application::OpenPendingFiles() {
    if (opening_ || retryScheduled_ || !window_) return;
    if (QApplication::activeModalWidget() != nullptr || ui_->IsPumping()) {
        retryScheduled_ = true;
        QTimer::singleShot(200, window_.get(), [this] {
            retryScheduled_ = false;
            OpenPendingFiles();
        });
        return;
    }
    // One at a time: a failed open's message box runs events, and a further
    // hand-over meanwhile only joins the queue.
    opening_ = true;
    while (!pendingFiles_.empty() && QApplication::activeModalWidget() == nullptr) {
        std::string file = std::move(pendingFiles_.front());
        pendingFiles_.erase(pendingFiles_.begin());
        window_->OpenDocumentFile(file);
    }
    opening_ = false;
    if (!pendingFiles_.empty()) OpenPendingFiles();
}

int RunApplication(int argc, char** argv) {
    // Answered before the toolkit starts, so they work without a display.
    const std::vector<std::string> given(argv + 1, argv + argc);
    if (std::optional<std::string> answer = app::InformationRequested(given)) {
        std::fputs(answer->c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    // The toolkit aborts without a display; a plain message serves better.
    if (std::optional<std::string> missing = app::MissingDisplay(given, ::getenv)) {
        std::fputs(missing->c_str(), stderr);
        return 1;
    }
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Recaster II"));
    QApplication::setApplicationVersion(FromPath(ProgramVersion()));
    QApplication::setOrganizationName(QStringLiteral("Marrowfield"));
    // The desktop entry's name: Wayland compositors and docks match the
    // window to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("recaster"));
    std::vector<std::string> args;
    // QApplication has taken its own options (-platform, ...) out of argv.
    const QStringList arguments = QApplication::arguments();
    for (int i = 1; i < arguments.size(); ++i) args.push_back(ToPath(arguments[i]));

    Application application;
    switch (application.Start(args)) {
        case Application::StartResult::Forwarded:
            return 0;
        case Application::StartResult::Running:
            break;
    }
    return QApplication::exec();
}

}  // namespace recaster::qt

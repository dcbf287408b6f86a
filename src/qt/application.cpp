// Start-up of the desktop program.
#include "qt/application.h"

#include <QApplication>
#include <QDir>
#include <QStyle>

#include "app/startup.h"
#include "qt/main_window.h"
#include "qt/qt_text.h"
#include "qt/qt_ui.h"
#include "qt/single_instance.h"
#include "ui/ui.h"
#include "workforms/workform_locator.h"

namespace recaster::qt {

namespace {
QString ChannelName(QString channel) {
    if (!channel.isEmpty()) return channel;
    QByteArray fromEnv = qgetenv("RECASTER_INSTANCE_CHANNEL");
    if (!fromEnv.isEmpty()) return QString::fromLocal8Bit(fromEnv);
    return QString::fromStdString(app::InstanceChannelName());
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
    std::vector<std::string> files = app::FilesOfCommandLine(args);
    // 1. One instance per user: a second start hands over its files.
    std::string message = app::EncodeForwardedFiles(files, ToPath(QDir::currentPath()));
    if (instance_->ForwardToRunning(QByteArray::fromStdString(message))) {
        return StartResult::Forwarded;
    }
    instance_->Listen();
    QObject::connect(instance_.get(), &SingleInstance::messageReceived,
                     [this](const QByteArray& m) { OpenForwarded(m); });

    ui::SetCurrentUi(ui_.get());
    if (QApplication::windowIcon().isNull()) {
        QApplication::setWindowIcon(
            QApplication::style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    }
    // 2. The workforms, before any window can ask for them.
    app::LoadWorkformCatalog(*ui_, workforms::WorkformLocator::ForThisProgram());

    // 3. The main window, where it was last time.
    window_ = std::make_unique<MainWindow>(*ui_);
    ui_->SetMainWindow(window_.get());
    window_->ShowAtStart();

    // 4. The named files, or the Open dialog.
    bool ok = app::OpenAtStart(
        files, [this](const std::string& f) { return window_->OpenDocumentFile(f); },
        [this] { window_->RunCommand(app::kCmdFileOpen); });
    return ok ? StartResult::Running : StartResult::Failed;
}

void Application::OpenForwarded(const QByteArray& message) {
    if (!window_) return;
    window_->ComeToFront();
    for (const std::string& file : app::DecodeForwardedFiles(message.toStdString())) {
        window_->OpenDocumentFile(file);
    }
}

int RunApplication(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Recaster II"));
    QApplication::setOrganizationName(QStringLiteral("Marrowfield"));
    std::vector<std::string> args;
    // QApplication has taken its own options (-platform, ...) out of argv.
    const QStringList arguments = QApplication::arguments();
    for (int i = 1; i < arguments.size(); ++i) args.push_back(ToPath(arguments[i]));

    Application application;
    switch (application.Start(args)) {
        case Application::StartResult::Forwarded:
            return 0;
        case Application::StartResult::Failed:
            return 1;
        case Application::StartResult::Running:
            break;
    }
    return QApplication::exec();
}

}  // namespace recaster::qt

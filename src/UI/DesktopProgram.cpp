#include "UI/DesktopProgram.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <functional>
#include <iostream>
#include <optional>
#include <string>

#include "APP/CONFIGU.h"
#include "APP/ShippedFiles.h"
#include "APP/SurveyDefaults.h"
#include "DB/Survobj.h"
#include "UI/Bkuprest.h"
#include "UI/ControlCenterForm.h"
#include "UI/MainForm.h"
#include "UI/PrWiz.h"
#include "UI/Screenshots.h"
#include "UI/SingleInstance.h"
#include "UI/SurveyDisksForm.h"
#include "UI/WidgetUserInterface.h"
#include "UI/model/CONCEN.h"
#include "UI/model/MainFormModel.h"
#include "UI/model/ShortDate.h"
#include "report/ReportSource.h"
#include "report/Rptwiz.h"

namespace zelvora {
namespace {

constexpr const char* kUsage =
    "usage: zelvora360 [--data DIR] [--screenshots OUT] [WORD]\n"
    "Starts the Zelvora 360 Feedback desktop program on the data folder: DIR,\n"
    "else $ZELVORA360_HOME, else the program's folder when writable, else\n"
    "$XDG_DATA_HOME/zelvora360. WORD is handed to the Control Center.\n"
    "--screenshots OUT saves a picture of every window as OUT/NN-name.png and\n"
    "ends (it works with QT_QPA_PLATFORM=offscreen).\n";

struct TArguments {
  std::optional<std::string> data_dir;
  std::optional<std::string> screenshots;
  std::string first_argument;
  bool help = false;
};

// Throws std::invalid_argument for a bad command line.
TArguments ParseArguments(const QStringList& arguments) {
  TArguments parsed;
  bool have_word = false;
  for (int i = 1; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    const auto value = [&](const char* option) {
      if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty())
        throw std::invalid_argument(std::string(option) + " needs a folder");
      return arguments[++i].toStdString();
    };
    if (a == "--data") {
      parsed.data_dir = value("--data");
    } else if (a == "--screenshots") {
      parsed.screenshots = value("--screenshots");
    } else if (a == "--help" || a == "-h") {
      parsed.help = true;
    } else if (a.startsWith("--")) {
      throw std::invalid_argument("unknown option " + a.toStdString());
    } else if (!have_word) {
      parsed.first_argument = a.toStdString();
      have_word = true;
    } else {
      throw std::invalid_argument("only one WORD may be given");
    }
  }
  return parsed;
}

// Answers everything a screenshot run would ask without waiting for anyone:
// messages go to standard error, questions and prompts are declined.
class TUnattendedUserInterface : public TWidgetUserInterface {
 public:
  void Inform(const std::string& text) override { std::cerr << text << "\n"; }
  void ShowError(const std::string& text) override { std::cerr << text << "\n"; }
  bool Ask(const std::string& text, bool) override {
    std::cerr << text << " (answered No)\n";
    return false;
  }
  void ShowAbout(const TAboutInfo&) override {}
  std::optional<std::string> AskPassword(const std::string& prompt, bool) override {
    std::cerr << prompt << " (cancelled)\n";
    return std::nullopt;
  }
};

// Opens the wizard on its last page with the Control Center's selection as
// the source list; false when the Print password was refused.
bool OpenPresetWizard(TPrWiz& wizard, const TReportPreset& preset, TDataRoot& root) {
  std::vector<TObjectID> ids;
  for (const TSurvObject* source : preset.Sources) ids.push_back(source->ID);
  std::vector<TReportSourceEntry> sources;
  switch (preset.Kind) {
    case kReportSkillArea:
      sources = SkillAreaEntries(root, ids);
      break;
    case kReportRaterForms:
      sources = SheetFormEntries(root, ids);
      break;
    case kReportBlankForms:
      sources = BlankFormEntries(root, ids);
      break;
    default:
      sources = ExperienceEntries(root, ids);
      break;
  }
  const auto sections = static_cast<std::uint16_t>(preset.Section > 0 ? 1u << preset.Section : 0u);
  return wizard.OpenPreset(preset.Kind, sections, std::move(sources),
                           RptWizPresetName(preset.Kind));
}

// The main menu's items whose work lives in windows of their own.
void ConnectMenu(TMainForm& form, TMainFormModel& model, TUserInterface& ui,
                 std::function<TDataRoot*()> data_root) {
  const auto backup_restore = [&form, &model, &ui](TBackupMode mode) {
    const bool changed =
        RunBackupRestore(&form, mode, model.Database(), ui, model.Defaults().DelTempBackupFiles);
    if (changed) form.ReloadControlCenter();
  };
  form.ConnectAction(form.FullBackup1, [backup_restore] { backup_restore(TBackupMode::kBackup); });
  form.ConnectAction(form.RestoreBackup1,
                     [backup_restore] { backup_restore(TBackupMode::kRestore); });
  form.ConnectAction(form.ImportSurveyDisk1, [&form, &ui, data_root] {
    TDataRoot* root = data_root();
    if (root == nullptr) return;
    TFileSystemSpace space;
    TSurveyDisksForm disks(ui, space, TSurveyDisksForm::DefaultRaterProgram(), &form);
    disks.ImportDisks(*root);
    form.ReloadControlCenter();
  });
}

}  // namespace

int RunDesktopProgram(int argc, char** argv) {
  QApplication app(argc, argv);
  // The application name stays the executable's file name: the lock file
  // records it, and a holder whose process runs under another name counts
  // as gone.
  QApplication::setApplicationVersion(ZELVORA_VERSION);
  QGuiApplication::setDesktopFileName("org.zelvora.Zelvora360");
  const QIcon icon(QString::fromStdString(FindShippedFile("zelvora360.png")));
  if (!icon.isNull()) QApplication::setWindowIcon(icon);

  TArguments arguments;
  try {
    arguments = ParseArguments(QApplication::arguments());
  } catch (const std::invalid_argument& e) {
    std::cerr << "zelvora360: " << e.what() << "\n" << kUsage;
    return 2;
  }
  if (arguments.help) {
    std::cout << kUsage;
    return 0;
  }

  // Every date shown as a short date uses the user's own format with a
  // four-digit year.
  SetShortDatePattern(WidenShortDateYear(QLocale().dateFormat(QLocale::ShortFormat).toStdString()));

  TStartOptions options;
  options.data_dir = arguments.data_dir;
  options.first_argument = arguments.first_argument;
  options.version = ZELVORA_VERSION;
  options.libraries.emplace_back("Qt", qVersion());

  const bool unattended = arguments.screenshots.has_value();
  if (!unattended) {
    try {
      const std::string folder = TConfig::DataFolder(arguments.data_dir);
      // A copy already running on this folder raises its window instead.
      if (TSingleInstance::RaiseRunningCopy(QString::fromStdString(folder))) return 0;
    } catch (const std::exception&) {
      // The start-up reports a folder it cannot use.
    }
  }

  std::unique_ptr<TWidgetUserInterface> ui = unattended
                                                 ? std::make_unique<TUnattendedUserInterface>()
                                                 : std::make_unique<TWidgetUserInterface>();
  TMainForm form(*ui);
  TMainFormModel model(form, *ui, options);
  form.SetModel(&model);
  QPointer<TControlCenterForm> control_center;
  form.SetControlCenterFactory([&](const std::string& word) -> QWidget* {
    control_center =
        new TControlCenterForm(*ui, &model.Config().Settings(), word, &model.Defaults());
    form.SetControlCenterReload([&control_center] {
      if (control_center) control_center->Reload();
    });
    return control_center;
  });
  const auto data_root = [&control_center]() -> TDataRoot* {
    return control_center ? &control_center->Model().Root() : nullptr;
  };
  ui->SetDataRoot(data_root);
  ui->SetViewPasswordCheck([&model] { return model.PasswordChecks().CheckView(); });
  if (!model.Start()) return 1;
  ui->SetParent(&form);
  ConnectMenu(form, model, *ui, data_root);

  // The report wizard, made anew each time it is opened (one still open is
  // closed first): from the main menu's Print as it is, from the Control
  // Center's print entries preset with their kind and source list.
  QPointer<TPrWiz> wizard;
  auto report_config = std::make_shared<TReportConfig>();
  report_config->Read(model.Config().Settings());
  const auto open_report_wizard = [&](const TReportPreset* preset) {
    delete wizard.data();
    TPrWizHost host{model.LanguageTable(), report_config,
                    [&model] { return model.PasswordChecks().CheckPrint(); },
                    [&](const std::vector<TScoreSheet*>& sheets) {
                      TFileSystemSpace space;
                      TSurveyDisksForm disks(*ui, space, TSurveyDisksForm::DefaultRaterProgram(),
                                             wizard.data());
                      disks.setWindowTitle(kRptWizDisksCaption);
                      disks.CreateDisks(sheets);
                    },
                    " - Zelvora 360 Feedback"};
    wizard = new TPrWiz(std::move(host), &form);
    wizard->setAttribute(Qt::WA_DeleteOnClose);
    TDataRoot* root = data_root();
    if (preset != nullptr && preset->SourceList >= 0 && root != nullptr) {
      if (!OpenPresetWizard(*wizard, *preset, *root)) {
        wizard->close();
        return;
      }
    }
    wizard->show();
    wizard->raise();
    wizard->activateWindow();
  };
  form.ConnectAction(form.PrintMenu, [open_report_wizard] { open_report_wizard(nullptr); });
  ui->SetReportWizard(
      [open_report_wizard](const TReportPreset& preset) { open_report_wizard(&preset); });

  if (unattended) {
    TScreenshotRegistry registry;
    RegisterScreens(registry);
    TScreenshotContext context{form, model, *ui};
    const bool done = registry.Run(context, QString::fromStdString(*arguments.screenshots));
    model.Shutdown();
    return done ? 0 : 1;
  }

  form.ShowAsPlaced();
  const int result = QApplication::exec();
  // The Control Center's layout reaches the settings written at shutdown.
  if (control_center) control_center->StoreLayout();
  model.Shutdown();
  return result;
}

}  // namespace zelvora

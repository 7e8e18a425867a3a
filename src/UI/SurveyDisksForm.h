// TSurveyDisksForm: the survey-disk dialog over TSurveyDisks, with the pages
// "CreateDisks" (Create Survey Disks) and "ReadDisks" (Import Survey Disks).
// A disk is a folder: the drive selectors list the mounted removable volumes
// and "Other folder..." for any folder.
//
// Controls (object names): CreateDriveCB, DisksToMakeLB, CompletedDisksLB,
// MakeDiskBtn, CreateCloseBtn; ReadDriveCB, the fields CompanyEdit to
// CategoryEdit, StatusLbl, ReadDiskBtn, SaveSurveyBtn, ReadCloseBtn.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "UI/model/SurvDisk.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace zelvora {

class TSurveyDisksForm : public QDialog {
 public:
  // `rater_program` is copied onto each disk; by default the one beside the
  // running program (DefaultRaterProgram).
  TSurveyDisksForm(TUserInterface& ui, TDiskSpace& space, const QString& rater_program,
                   QWidget* parent = nullptr);
  static QString DefaultRaterProgram();
  // Mount points of removable media: QStorageInfo's volumes under /media,
  // /run/media and /mnt, and the folders mounted there.
  static QStringList RemovableFolders();

  // --- Entry points; each runs the dialog modally ---
  // The Control Center passes its rater list's sheets, the report wizard its
  // own; without an open sheet only the message is shown.
  void CreateDisks(const std::vector<TScoreSheet*>& sheets);
  // Import with the disk's IDs choosing the target ("&Import Survey Disk").
  void ImportDisks(TDataRoot& root);
  // Import into the given sheet ("&Import Survey Disk for").
  void ImportDisk(TDataRoot& root, TScoreSheet& target);

  // The same without running modally (screens and tests): false when the
  // dialog would not open.
  bool PrepareCreate(const std::vector<TScoreSheet*>& sheets);
  void PrepareImport(TDataRoot& root, TScoreSheet* target);
  // Chooses a folder in both drive selectors (adding it when new).
  void SetDiskFolder(const QString& folder);

  TSurveyDisks& Model() { return model_; }
  void Refresh();

 protected:
  void done(int result) override;

 private:
  QWidget* BuildCreatePage();
  QWidget* BuildReadPage();
  QComboBox* BuildDriveSelector(const char* name);
  void FillDriveSelectors();
  void DriveChosen(QComboBox* selector, int index);
  void RunModal();

  TSurveyDisks model_;
  QStackedWidget* notebook_ = nullptr;
  QComboBox* create_drive_ = nullptr;
  QComboBox* read_drive_ = nullptr;
  QListWidget* to_make_ = nullptr;
  QListWidget* made_ = nullptr;
  QPushButton* make_ = nullptr;
  QPushButton* create_close_ = nullptr;
  std::array<QLineEdit*, 7> fields_{};
  QLabel* status_ = nullptr;
  QPushButton* read_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* read_close_ = nullptr;
  bool filling_ = false;
};

}  // namespace zelvora

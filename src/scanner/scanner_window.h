#pragma once
// Form2, "3D Сканер": the probe walks a grid over the surface (firmware "ST"), the readings
// become the height mesh, and the mesh becomes a gray height picture saved as image.bmp. The
// window gathers its fields and calls the scanner's core; the preview box shows the result.

#include <QWidget>
#include <optional>
#include <vector>
#include <filesystem>
#include <initializer_list>

#include "link/job_state.h"
#include "link/job_estimate.h"
#include "link/machine_link.h"
#include "link/machine_settings.h"
#include "link/scanner_moves.h"
#include "scanner/height_mesh.h"
#include "scanner/scan_numbers.h"
#include "scanner/scan_preview.h"
#include "scanner/scanner_fields.h"
#include "settings/settings.h"
#include "widgets/qt_job_guard.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vexa::widgets {
class JobProgressWidget;
class MachineStatusWidget;
}
namespace vexa::manual {
class MoveByMmWidget;
}

namespace vexa::scanner {

class ScanBoxWidget;

class ScannerWindow : public QWidget {
  Q_OBJECT

 public:
  // Runs the firmware check for "ST", fills the fields from cnc.ini, sizes the box and draws
  // the grid.
  ScannerWindow(link::MachineLink& link, const link::MachineSettings& settings,
                std::filesystem::path programDir, QWidget* parent = nullptr);

  bool jobRunning() const { return job_.running(); }
  const HeightMesh& mesh() const { return mesh_; }
  const picture::PixelBuffer& previewImage() const { return preview_.image(); }
  ScanBoxWidget* box() const { return box_; }
  // The estimate shown for the fields as they stand; nullopt when they give none.
  const std::optional<link::JobEstimate>& estimate() const { return estimate_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct FieldRow {
    const char* name;     // object name
    const char* caption;  // the label before it
    QLineEdit** field;
  };
  void buildPanels();
  // A group of fields, one a row ("X:" field "мм"), at (row, column) of `controls`.
  QGridLayout* addFieldGroup(QGridLayout* controls, int row, int column, const char* title,
                             std::initializer_list<FieldRow> fields, const char* unit);
  void loadSettings();

  // Command6, Command2, Command1, Command7.
  void ScanSurface();
  // Runs the scan with `numbers`, passing over the commands a cut line's board confirmed.
  void runScan(const ScanNumbers& numbers, std::int64_t firstSent);
  // "Продолжить" (Command12): the rest of a scan a cut link interrupted.
  void goOn();
  bool mayGoOn() const;
  void updateContinue();
  void refreshEstimate();
  // Once a second: the settings behind the estimate, and a cut link coming back.
  void watch();
  std::optional<ScanNumbers> quietNumbers() const;
  void InterpolateHeightPicture();
  void SaveHeightPicture();
  void ApplyPictureSize();

  // The fields' texts, and back into the fields (those that changed).
  ScannerFields fields() const;
  void showFields(const ScannerFields& fields);
  void DrawGrid();
  // The box takes the preview's size and shows its image.
  void showPreviewBox();
  void showPreview();
  void dragBoxTo(QSize wanted);
  QString& appliedMeshText(const QLineEdit* field);
  void meshFieldLeft(QLineEdit* field);
  void fieldLeft(QLineEdit* field);
  void moveByMm(double dx, double dy, double dz);

  link::MachineLink& link_;
  const link::MachineSettings& settings_;
  std::filesystem::path programDir_;
  settings::SettingsFile settingsFile_;
  link::ScannerMoves moves_;
  link::JobState job_;
  widgets::QtJobGuard guard_;
  HeightMesh mesh_;
  ScanPreview preview_;

  QLineEdit* meshWidthField_ = nullptr;          // Text3
  QLineEdit* meshHeightField_ = nullptr;         // Text4
  QLineEdit* areaWidthField_ = nullptr;          // Text8
  QLineEdit* areaHeightField_ = nullptr;         // Text9
  QLineEdit* pictureWidthField_ = nullptr;       // Text6
  QLineEdit* pictureHeightField_ = nullptr;      // Text7
  QCheckBox* scanBox_ = nullptr;                 // Check1
  QPushButton* scanButton_ = nullptr;            // Command6
  QPushButton* stopButton_ = nullptr;            // Command9
  QPushButton* interpolateButton_ = nullptr;     // Command2
  QPushButton* saveButton_ = nullptr;            // Command1
  QPushButton* applySizeButton_ = nullptr;       // Command7
  QLabel* readingLabel_ = nullptr;               // Label9
  manual::MoveByMmWidget* moveGroup_ = nullptr;  // Command3 with tx, ty, tz
  ScanBoxWidget* box_ = nullptr;
  widgets::MachineStatusWidget* status_ = nullptr;
  widgets::JobProgressWidget* progressPanel_ = nullptr;  // Label14, ProgressBar2, Command12
  std::optional<link::JobEstimate> estimate_;
  std::vector<double> estimatedWith_;
  // A scan the line cut: its numbers, what the board confirmed, the opening it was cut on.
  struct InterruptedScan {
    ScanNumbers numbers;
    std::int64_t confirmed = 0;
    std::uint64_t opening = 0;
  };
  std::optional<InterruptedScan> interrupted_;
  bool linkBack_ = false;
  QString appliedMeshWidth_;
  QString appliedMeshHeight_;
};

}  // namespace vexa::scanner

#pragma once
// What the milling (Form1), outline engraving (Form5) and cutting-by-picture (Form9) windows
// share on the screen: four copies of the picture under a tab strip, the file and size panels
// with the width and height kept in the picture's proportions, the run boxes, "Стоп", the
// move-by-millimetre group, the status line with the firmware check, the job guard and, in the
// milling and outline windows, "Разобрать" with the figure tree. Each window adds its own
// fields, buttons and jobs.

#include <QList>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "figures/checked_numbers.h"
#include "figures/figure_data.h"
#include "figures/figure_snapshot.h"
#include "gcode/job_gcode.h"
#include "link/job_state.h"
#include "link/job_stream.h"
#include "link/machine_link.h"
#include "link/machine_settings.h"
#include "manual/axis_distances.h"
#include "picture/window_picture.h"
#include "settings/settings.h"
#include "widgets/qt_job_follow.h"
#include "widgets/qt_job_guard.h"

class QCheckBox;
class QFormLayout;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QVBoxLayout;

namespace vexa::manual {
class MoveByMmWidget;
}
namespace vexa::picture {
class PictureView;
}
namespace vexa::widgets {
class JobProgressWidget;
class MachineStatusWidget;
}  // namespace vexa::widgets

namespace vexa::figures {

class FigureTreeWidget;

struct FigureTab {
  QString caption;
  int copy;
};

struct FigureWindowDesign {
  QString formName;             // "Form1"
  QString caption;              // the window title
  std::string tag;              // the firmware the window drives: "MT", "OT"
  std::string imageKey;         // cnc.ini key of the picture path
  QString pathFieldName;        // "Text2" in the milling window, "Text1" elsewhere
  std::string refusalLine;      // "Фрезеровка невозможна."
  QString sizeCaption;          // "Размер готового изображ."
  QString runCaption;           // "Фрезеровать", "Гравировать"
  std::vector<FigureTab> tabs;  // in the order of the tab strip
  bool figureTree = true;       // "Разобрать" and the tree `tv`
};

// A field whose text is kept in cnc.ini: read when the window opens, written when it closes.
struct StoredField {
  std::string key;
  QLineEdit* field;
};

class FigureWindow : public QWidget {
  Q_OBJECT

 public:
  picture::WindowPicture& picture() { return picture_; }
  FigureData& figures() { return figures_; }
  bool jobRunning() const { return job_.running(); }
  const FigureWindowDesign& design() const { return design_; }
  const widgets::JobFollow& jobFollow() const { return *follow_; }

  // Room for the controls, a picture and the tree inside the main window at 1280 x 720.
  QSize sizeHint() const override { return {1180, 630}; }

 protected:
  FigureWindow(link::MachineLink& link, const link::MachineSettings& settings,
               std::filesystem::path programDir, FigureWindowDesign design, QWidget* parent);

  // Builders for the derived window's own controls.
  QLineEdit* addSizeField(const QString& caption, const char* name);  // in the size panel
  QGroupBox* addPanel(const QString& caption);  // between the size and the run panels
  // The tool's panel: "Диаметр, мм" (Text3) when `withDiameter`, then the step delay (Text4)
  // under `delayCaption`. A field left out is null.
  struct ToolFields {
    QLineEdit* diameter = nullptr;
    QLineEdit* delay = nullptr;
  };
  ToolFields addToolPanel(const QString& caption, const QString& delayCaption, bool withDiameter);
  QPushButton* addButton(const QString& text, const char* name, int row, int column);
  static QLineEdit* makeNumberField(const char* name, QWidget* parent);
  // Under the pictures, above the status line (a progress line, for instance).
  void addBelowPictures(QWidget* widget);
  // A copy without a tab: its view leaves the tabbed views and stands beside them, shown
  // exactly while `panel` is shown.
  void showCopyWithPanel(int copy, QWidget* panel);

  // Window opening, once the derived window has built its controls: the firmware check (the
  // machine controls off and the run box cleared when it fails), the stored fields, then the
  // picture. `workingButtons` are switched by the picture's presence.
  void openWith(const QList<QWidget*>& machineControls, const QList<QWidget*>& workingButtons,
                std::vector<StoredField> storedFields);

  // Runs `job` through the guard: a second job is refused, the picture's controls and `locked`
  // stay switched off while it runs, a close waits until it has unwound.
  void runJob(const std::function<void()>& job, const QList<QWidget*>& locked = {});

  // With "G-код" ticked, program.gcode in the standard form for the job about to start, fed by
  // the step moves that report to `slot`; its header names `job`, the picture, the width and
  // `numbers`. Null when the box is clear.
  std::unique_ptr<gcode::JobGcode> startGcode(gcode::JobGcode::Tool tool, link::MoveListener& slot,
                                              const std::string& job, const std::string& numbers);

  // A job's numbers as read from its fields, or nullopt after the message naming the field.
  template <typename Numbers, typename RangeProblem>
  std::optional<Numbers> checkedNumbers(const std::variant<Numbers, std::string>& read,
                                        RangeProblem&& rangeProblem) {
    return CheckedNumbers(link_.prompts(), read, std::forward<RangeProblem>(rangeProblem));
  }

  // The window's jobs as the estimate sees them, in a fixed order (JobFollow::Run::job).
  virtual std::vector<widgets::JobFollow::Plan> jobPlans() = 0;
  // The jobs' inputs have changed (a field, the picture, "Градиент", "Отступить"): the
  // estimates are planned anew.
  void replanJobs();
  // Inside runJob: shows the tool's picture, runs `run` followed (estimate, progress, going on)
  // and says in the status line how long it took, as `done` ("Фрезеровка закончена").
  void runFollowed(widgets::JobFollow::Run run, const std::string& done);
  // The plans of the three figure jobs of the milling and outline windows, in their order:
  // "Выделенная" (with a tree and a picked figure), "Все" (with a tree) and the pass-by-pass
  // job (always). `plan(job, figure)` gives a job's task; `buttons` name the jobs.
  std::vector<widgets::JobFollow::Plan> figureJobPlans(
      const std::array<QPushButton*, 3>& buttons,
      const std::function<widgets::PlanTask(int job, std::int32_t figure)>& plan);
  // A job as JobFollow runs it: `run` runs it with `moves` following the job's stream; going on
  // puts the pictures, `state` and the moves' place back as they are now.
  template <typename Moves, typename State>
  widgets::JobFollow::Run followedRun(int job, Moves& moves, State& state,
                                      std::function<void()> run) {
    widgets::JobFollow::Run followed;
    followed.job = job;
    followed.replies = &moves.record.replyBuffer;
    followed.restore = [this, &moves, &state, pictures = snapshot(), saved = state,
                        place = moves.record.place()] {
      restore(pictures);
      state = saved;
      moves.record.moveTo(place);
    };
    followed.body = [&moves, run = std::move(run)](link::JobStream& stream) {
      link::StreamScope scope(moves.stream, stream);
      run();
    };
    return followed;
  }
  FigureSnapshot snapshot() const;
  void restore(const FigureSnapshot& snapshot);

  // "Разобрать": the working picture into figures, then the tree.
  void parseFigures();
  // Shows the figure data's tree again (after a parse or a reset).
  void showTree();
  // Repaints every view and lets pending events through (jobs show their progress with it).
  void redrawAll() { picture_.RedrawPicture(); }

  // The move-by-millimetre group's move: the window's own millimetre move.
  virtual void moveByMm(const manual::AxisDistances& distances) = 0;

  void closeEvent(QCloseEvent* event) override;

  link::MachineLink& link_;
  const link::MachineSettings& settings_;
  std::filesystem::path programDir_;
  FigureWindowDesign design_;
  settings::SettingsFile settingsFile_;
  picture::WindowPicture picture_;
  FigureData figures_;
  link::JobState job_;
  widgets::QtJobGuard guard_;

  QLineEdit* pathField_ = nullptr;     // Text2 / Text1
  QPushButton* openButton_ = nullptr;  // Command8 "..."
  QGroupBox* sizePanel_ = nullptr;
  QLineEdit* widthField_ = nullptr;     // Text6
  QLineEdit* heightField_ = nullptr;    // Text7
  QCheckBox* sendBox_ = nullptr;        // Check1
  QCheckBox* returnBox_ = nullptr;      // Check2
  QCheckBox* exportBox_ = nullptr;      // Check3 "G-код"
  QPushButton* parseButton_ = nullptr;  // "Разобрать"
  QPushButton* stopButton_ = nullptr;   // Command9 "Стоп"
  manual::MoveByMmWidget* moveGroup_ = nullptr;
  widgets::MachineStatusWidget* status_ = nullptr;
  FigureTreeWidget* tree_ = nullptr;
  QTabBar* tabs_ = nullptr;  // TabStrip1
  std::vector<picture::PictureView*> views_;
  widgets::JobProgressWidget* progressPanel_ = nullptr;
  widgets::JobFollow* follow_ = nullptr;

 private:
  // "Продолжить": the rest of a job a cut link interrupted.
  void goOn();
  bool mayGoOn() const;
  void updateContinue();
  // Once a second: the machine settings behind the estimates, and a cut link coming back.
  void watch();

  void buildPanels();
  void showTab(int index);
  void showSelection(int figure);
  void afterPictureLoad();
  void widthLeft();
  void heightLeft();

  QVBoxLayout* column_ = nullptr;
  QGroupBox* runPanel_ = nullptr;  // the run boxes and the buttons
  QHBoxLayout* runRow_ = nullptr;  // the run panel and the move group
  QFormLayout* sizeForm_ = nullptr;
  QGridLayout* buttonGrid_ = nullptr;
  QStackedWidget* viewStack_ = nullptr;
  QHBoxLayout* viewRow_ = nullptr;  // the tabbed views, and a view shown with a panel
  QVBoxLayout* pictureColumn_ = nullptr;
  std::vector<StoredField> storedFields_;
  QList<QWidget*> lastLocked_;  // what the last job locked: going on locks the same
  std::string doneText_;        // the status note of the job that runs
  std::vector<double> watchedSettings_;
};

}  // namespace vexa::figures

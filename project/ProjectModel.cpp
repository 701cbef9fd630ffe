#include "project/ProjectModel.h"

#include "engine/EnumTable.h"
#include "engine/Generator.h"
#include "project/ProjectFile.h"

#include <cassert>

namespace qm {

namespace {

// The text fields each use reads, in the order it reads them: the first one refused names
// itself.
constexpr std::initializer_list<TextField> kConversionFields = {TextField::InputPath,
                                                                TextField::OutputPath};
constexpr std::initializer_list<TextField> kHelpFields = {
    TextField::HelpTitle, TextField::TechDefaultPage, TextField::DocDefaultPage,
    TextField::HelpLanguage};

} // namespace

JobOutcome ConversionJob::Run(ConversionInteraction& interaction, ProgressSink* progress,
                              RunLock* folderLock) {
  result_ = RunResult();
  return ConvertProject(settings_, generator_, interaction, result_, progress, folderLock);
}

ProjectModel::ProjectModel(std::string programFolder) : programFolder_(std::move(programFolder)) {}

ProjectModel::~ProjectModel() = default;

void ProjectModel::ReadInstallation() {
  generator_ = std::make_unique<const TGenerator>(programFolder_);
}

void ProjectModel::StartFresh() {
  settings_ = ProjectSettings();
  if (generator_ != nullptr) {
    settings_.Templates = generator_->InstalledTemplates();
  }
  currentProjectFile_.clear();
  Changed();
}

void ProjectModel::Open(const std::string& path) {
  settings_ = LoadProjectFile(path);
  currentProjectFile_ = path;
  Changed();
}

void ProjectModel::Save() {
  assert(!currentProjectFile_.empty() && "Save needs a current project file");
  RunChecks(kConversionFields);
  RunChecks(kHelpFields);
  SaveProjectFile(currentProjectFile_, settings_);
}

void ProjectModel::SaveAs(const std::string& path) {
  RunChecks(kConversionFields);
  RunChecks(kHelpFields);
  SaveProjectFile(path, settings_);
  currentProjectFile_ = path;
}

void ProjectModel::SetFieldCheck(TextField field, std::function<void()> check) {
  checks_[EnumIndex(field)] = std::move(check);
}

void ProjectModel::RunChecks(std::initializer_list<TextField> fields) const {
  for (TextField field : fields) {
    if (const auto& check = checks_[EnumIndex(field)]) {
      check();
    }
  }
}

std::unique_ptr<ConversionJob> ProjectModel::NewConversion() {
  assert(generator_ != nullptr && "a conversion needs the generator");
  RunChecks(kConversionFields);
  return std::unique_ptr<ConversionJob>(new ConversionJob(*generator_, settings_));
}

void ProjectModel::ConversionDone(ConversionJob& job) {
  if (job.result_.Ran()) {
    lastRun_ = std::move(job.result_);
  }
}

JobOutcome ProjectModel::Convert(ConversionInteraction& interaction, ProgressSink* progress,
                                 RunLock* folderLock) {
  std::unique_ptr<ConversionJob> job = NewConversion();
  JobOutcome outcome;
  try {
    outcome = job->Run(interaction, progress, folderLock);
  } catch (...) {
    // What a failed run wrote before it failed is still what the help project lists.
    ConversionDone(*job);
    throw;
  }
  ConversionDone(*job);
  return outcome;
}

void ProjectModel::BuildHelpProject(HelpProjectResult& result, const RunLock* heldLock) {
  assert(generator_ != nullptr && "a help project needs the generator");
  RunChecks(kHelpFields);
  RunChecks({TextField::OutputPath});
  RunLock ownLock;
  if (heldLock == nullptr || !heldLock->Held()) {
    ownLock = LockRunFolder(settings_);
  }
  qm::BuildHelpProject(lastRun_, generator_->Tables(), settings_, programFolder_, result);
}

int ProjectModel::Observe(std::function<void()> observer) {
  observers_.emplace_back(nextObserver_, std::move(observer));
  return nextObserver_++;
}

void ProjectModel::Unobserve(int id) {
  std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void ProjectModel::Changed() const {
  for (const auto& [id, observer] : observers_) {
    observer();
  }
}

} // namespace qm

// lumeric engrave: one image, or many into a folder.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>
#include <utility>

#include "cli/commands/Commands.h"
#include "cli/commands/ExitCodes.h"
#include "cli/commands/ProgressBar.h"
#include "cli/commands/Settings.h"
#include "cli/commands/Terminal.h"
#include "cli/files/ActionFile.h"
#include "cli/files/PresetAccess.h"
#include "cli/files/SafeOutput.h"
#include "cli/files/StateFile.h"
#include "cli/image/ImageBackend.h"
#include "cli/session/FilterModule.h"
#include "host/EngraveParams.h"

namespace {

struct Failure {
    int code;
    std::string message;
};

// Everything that is the same for every image of a run, checked once.
struct RunPlan {
    std::vector<SettingAssignment> sets;
    SettingValues presetBase{};  // defaults then the preset (when no state decides)
    bool havePreset = false;
    bool replay = false;
    ActionFile action;
    PluginEntryProc entry = nullptr;
};

bool Plan(const CommandLine& line, RunPlan* plan, Failure* failure) {
    for (const std::string& text : line.sets) {
        SettingAssignment a;
        std::string error;
        if (!ParseSetting(text, &a, &error)) {
            *failure = {kExitUsage, "--set " + error};
            return false;
        }
        plan->sets.push_back(a);
    }
    plan->presetBase = SettingValues{DefaultEngraveSettings(), DefaultDialogPreferences()};
    if (!line.preset.empty()) {
        std::string error;
        if (!LoadPresetFile(line.preset, &plan->presetBase, &error)) {
            *failure = {kExitInput, line.preset + ": " + error};
            return false;
        }
        plan->havePreset = true;
    }
    if (!line.replay.empty()) {
        std::string text, error;
        if (!ReadWholeFile(line.replay, &text, &error, 1 << 20) || !ParseActionFile(text, &plan->action, &error)) {
            *failure = {kExitInput, line.replay + ": " + error};
            return false;
        }
        plan->replay = true;
    }
    std::string error;
    plan->entry = LoadFilterModule(line.plugin, &error);
    if (!plan->entry) {
        *failure = {kExitUsage, error};
        return false;
    }
    return true;
}

std::vector<HostResource> ToHostResources(const std::vector<StateResource>& stored) {
    std::vector<HostResource> out;
    for (const StateResource& r : stored) out.push_back(HostResource{r.type, r.bytes});
    return out;
}

std::vector<StateResource> ToStateResources(const std::vector<HostResource>& kept) {
    std::vector<StateResource> out;
    for (const HostResource& r : kept) out.push_back(StateResource{r.type, r.bytes});
    return out;
}

// The descriptor the module reads at Start: the recorded action, or the
// settings (state or defaults, then preset, then --set).
Descriptor SettingsDescriptor(const CommandLine& line, const RunPlan& plan, const std::vector<uint8_t>& state) {
    if (plan.replay) {
        Descriptor d = plan.action.descriptor;
        for (const SettingAssignment& a : plan.sets) SetDescriptorValue(&d, a);
        return d;
    }
    EngraveSettings settings = plan.presetBase.engraving;
    if (line.preset.empty() && state.size() >= sizeof(EngraveParams)) {
        // The last run's settings stand unless a preset replaces them.
        EngraveParams record;
        std::memcpy(&record, state.data(), sizeof record);
        settings = SettingsOf(record);
    }
    for (const SettingAssignment& a : plan.sets) SetSettingValue(&settings, *a.setting, a.value);
    return DescriptorFromSettings(settings);
}

bool EngraveOne(const CommandLine& line, const RunPlan& plan, const std::string& input, const std::string& output,
                Failure* failure) {
    if (SamePath(input, output)) {
        *failure = {kExitOutput, output + ": is the input itself; choose another output"};
        return false;
    }
    if (!line.force && PathExists(output)) {
        *failure = {kExitOutput, output + ": already exists (use --force to replace it)"};
        return false;
    }
    LoadedImage loaded;
    std::string error;
    if (!LoadImageFile(input, &loaded, &error)) {
        *failure = {kExitInput, input + ": " + error};
        return false;
    }
    std::vector<uint8_t> mask;
    if (!line.mask.empty() && !LoadMaskFile(line.mask, loaded.image.width, loaded.image.height, &mask, &error)) {
        *failure = {kExitInput, line.mask + ": " + error};
        return false;
    }
    std::vector<uint8_t> state;
    std::vector<StateResource> resources;
    if (!line.state.empty() && !ReadStateFile(line.state, &state, &resources, &error)) {
        *failure = {kExitInput, line.state + ": " + error};
        return false;
    }

    SessionOptions options;
    options.tiled = line.tiled;
    options.maxSpace = line.maxSpace;
    options.withDialog = line.dialog;
    options.haveDescriptor = true;
    options.play = SettingsDescriptor(line, plan, state);
    options.playInfo = plan.replay ? plan.action.playInfo : int16_t(plugInDialogSilent);
    options.mask = mask.empty() ? nullptr : &mask;
    options.cancel = &InterruptFlag();
    options.platformWindow = HostWindowForDialogs();
    options.title = std::filesystem::u8path(input).filename().u8string();
    if (!MakeColorService(loaded, &options.color, &error) && IsCmykMode(loaded.image.mode)) {
        *failure = {kExitInput, input + ": " + error};
        return false;
    }
    const bool showProgress = !line.quiet && (line.progress == 1 || (line.progress == -1 && StderrIsTerminal()));
    ProgressBar bar(showProgress);
    options.progress = [&bar](int32_t done, int32_t total) { bar.Update(done, total); };

    InterfaceImage result = std::move(loaded.image);  // the session keeps its own copy of the input
    HostSession session(plan.entry, &result, options);
    if (!state.empty()) session.SetParameters(state);
    session.SetResources(ToHostResources(resources));
    bar.Start(std::filesystem::u8path(input).filename().u8string());
    const SessionResult outcome = session.Run();
    bar.Finish();

    if (InterruptFlag().load() || outcome.error == userCanceledErr) {
        *failure = {kExitCancelled, input + ": cancelled; nothing written"};
        return false;
    }
    if (outcome.error != noErr) {
        *failure = {kExitFilter, input + ": the filter answered error " + std::to_string(outcome.error) + " (" +
                                     DescribeResult(outcome.error) + "); nothing written"};
        return false;
    }

    const std::string temporary = TemporaryPathFor(output);
    if (temporary.empty()) {
        *failure = {kExitOutput, output + ": cannot create a temporary file beside it"};
        return false;
    }
    if (!SaveImageFile(temporary, loaded, result, &error)) {
        DiscardTemporary(temporary);
        *failure = {kExitOutput, output + ": " + error};
        return false;
    }
    if (!CommitTemporary(temporary, output, line.force, &error)) {
        *failure = {kExitOutput, output + ": " + error};
        return false;
    }
    if (!line.record.empty()) {
        if (!outcome.recorded) {
            *failure = {kExitFilter, line.record + ": the filter recorded no settings"};
            return false;
        }
        ActionFile action;
        action.descriptor = outcome.recordedDescriptor;
        if (!WriteFileSafely(line.record, FormatActionFile(action), true, &error)) {
            *failure = {kExitOutput, line.record + ": " + error};
            return false;
        }
    }
    if (!line.state.empty() &&
        !WriteStateFile(line.state, session.Parameters(), ToStateResources(session.Resources()), &error)) {
        *failure = {kExitOutput, line.state + ": " + error};
        return false;
    }
    return true;
}

void Report(const Failure& f) { std::fprintf(stderr, "lumeric: %s\n", f.message.c_str()); }

// The filter module reads its thread count from the environment, in the
// same process, whichever way it is loaded. By default it stays on the
// host's thread; this host asks for one thread per processor unless the
// user named a count (--threads, or LUMERIC_THREADS itself).
void PassThreadCount(int threads) {
    if (threads <= 0 && std::getenv("LUMERIC_THREADS")) return;
    const unsigned processors = std::thread::hardware_concurrency();
    if (threads <= 0) threads = processors == 0 ? 1 : processors > 64 ? 64 : int(processors);
    const std::string count = std::to_string(threads);
#ifdef _WIN32
    _putenv(("LUMERIC_THREADS=" + count).c_str());  // the C runtime keeps its own copy
#else
    setenv("LUMERIC_THREADS", count.c_str(), 1);
#endif
}

}  // namespace

bool IsCmykMode(int16_t mode) { return mode == plugInModeCMYKColor || mode == plugInModeCMYK64; }

int RunEngrave(const CommandLine& line) {
    RunPlan plan;
    Failure failure{kExitDone, ""};
    if (!Plan(line, &plan, &failure)) {
        Report(failure);
        return failure.code;
    }
    InstallInterruptHandler();
    PassThreadCount(line.threads);
    if (line.outputDir.empty()) {
        if (!EngraveOne(line, plan, line.inputs[0], line.output, &failure)) {
            Report(failure);
            return failure.code;
        }
        return kExitDone;
    }

    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::u8path(line.outputDir), ec);
    const auto start = std::chrono::steady_clock::now();
    int firstFailure = kExitDone, done = 0, failed = 0;
    for (const std::string& input : line.inputs) {
        if (InterruptFlag().load()) break;
        const std::string output =
            (std::filesystem::u8path(line.outputDir) / std::filesystem::u8path(input).filename()).u8string();
        if (EngraveOne(line, plan, input, output, &failure)) {
            ++done;
            continue;
        }
        Report(failure);
        ++failed;
        if (firstFailure == kExitDone) firstFailure = failure.code;
        if (failure.code == kExitCancelled) break;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!line.quiet || failed)
        std::fprintf(stderr, "lumeric: engraved %d of %zu images into %s in %.1f s%s\n", done, line.inputs.size(),
                     line.outputDir.c_str(), seconds, failed ? " (some failed, see above)" : "");
    return firstFailure;
}

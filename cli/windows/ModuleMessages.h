// The module speaks to the user through modal message boxes ("this image
// is very large", "There are less than 3 layers", ...). In a console run
// nobody would click them, so while the host calls the module a thread-local
// CBT hook catches each box as it is activated, prints its text as
// "lumeric: warning: <text>" and dismisses it. Other windows (the About box,
// the module's dialog) are left alone.
#pragma once

// Turns the routing on for the rest of the run (off: --dialog).
void SetModuleMessagesToConsole(bool route);
bool ModuleMessagesGoToConsole();

// Brackets one call of the module's entry point on this thread. Nested
// scopes share the outer hook.
class ModuleMessageScope {
public:
    ModuleMessageScope();
    ~ModuleMessageScope();
    ModuleMessageScope(const ModuleMessageScope&) = delete;
    ModuleMessageScope& operator=(const ModuleMessageScope&) = delete;

private:
    bool installed_ = false;
};

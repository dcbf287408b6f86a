// Commands: numeric ids (menu items, toolbar buttons, accelerators) routed
// along a chain of targets, the active view first, then its document, its
// frame and the application. The first target that knows an id answers for
// it; an id that no target knows is disabled, so menus show only what can run.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace recaster::ui {

class CommandTarget {
  public:
    virtual ~CommandTarget() = default;
    // Whether this target answers for `id` (even while it is disabled).
    virtual bool Knows(int id) const = 0;
    virtual bool IsEnabled(int id) const = 0;
    virtual bool IsChecked(int id) const = 0;
    // Carries out `id`; called only when it is known and enabled.
    virtual void Handle(int id) = 0;
    // The help page of the window this target belongs to; empty for none.
    virtual std::string HelpTopic() const { return {}; }
};

// A target from a table of handlers, for the classes that own commands.
class CommandMap : public CommandTarget {
  public:
    using Action = std::function<void()>;
    using Test = std::function<bool()>;

    // `enabled` and `checked` may be empty: always enabled, never checked.
    void Add(int id, Action action, Test enabled = {}, Test checked = {});

    bool Knows(int id) const override { return entries_.count(id) != 0; }
    bool IsEnabled(int id) const override;
    bool IsChecked(int id) const override;
    void Handle(int id) override;

  private:
    struct Entry {
        Action action;
        Test enabled;
        Test checked;
    };
    std::map<int, Entry> entries_;
};

// The routing order, rebuilt by the shell when the active window changes.
// Targets are not owned.
class CommandChain {
  public:
    void SetTargets(std::vector<CommandTarget*> targets) { targets_ = std::move(targets); }
    const std::vector<CommandTarget*>& targets() const { return targets_; }

    // The first target that knows `id`, or nullptr.
    CommandTarget* Find(int id) const;
    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;
    // Runs `id` on the first target that knows it; false when none does or
    // it is disabled there.
    bool Execute(int id);

  private:
    std::vector<CommandTarget*> targets_;
};

}  // namespace recaster::ui

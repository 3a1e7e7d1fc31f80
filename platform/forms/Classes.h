#pragma once

#include <functional>
#include <string>
#include <vector>

// The roots of the window library: every object can be an event's sender, and a component
// lives as long as its owner.

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

// An event handler takes the object that raised the event.
using TNotifyEvent = std::function<void(TObject* Sender)>;

// A named object with an owner. The owner releases what it owns when it is released itself,
// latest-created first; a component released earlier leaves its owner's list on its own.
class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
  // The owned component of that name, or nullptr.
  TComponent* FindComponent(const std::string& name) const;

  // Releases every owned component now, latest-created first.
  void DestroyComponents();

 private:
  void InsertComponent(TComponent* component) { components_.push_back(component); }
  void RemoveComponent(TComponent* component);

  TComponent* owner_;
  std::string name_;
  std::vector<TComponent*> components_;
};

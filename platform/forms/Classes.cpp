#include "platform/forms/Classes.h"

#include <algorithm>

TComponent::TComponent(TComponent* AOwner) : owner_(AOwner) {
  if (owner_ != nullptr) owner_->InsertComponent(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  if (owner_ != nullptr) owner_->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  for (TComponent* component : components_)
    if (component->Name() == name) return component;
  return nullptr;
}

void TComponent::DestroyComponents() {
  // Each destructor takes its component out of the list, so the list shrinks as we go.
  while (!components_.empty()) delete components_.back();
}

void TComponent::RemoveComponent(TComponent* component) {
  auto found = std::find(components_.begin(), components_.end(), component);
  if (found != components_.end()) components_.erase(found);
}

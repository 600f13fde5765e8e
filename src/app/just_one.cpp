#include "app/just_one.h"

#include "platform/instance_lock.h"

namespace mk::app {

TJustOne::TJustOne(const std::string& name)
    : lock_(std::make_unique<platform::InstanceLock>(name)) {
  OwnsMutex = lock_->Owns();
}

TJustOne::~TJustOne() = default;

}  // namespace mk::app

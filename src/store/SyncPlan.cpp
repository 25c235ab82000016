#include "store/SyncPlan.h"

#include <map>
#include <unordered_map>

namespace store {

namespace {

bool Many(int deletes, int side) { return deletes > 50 || (deletes > 2 && deletes * 2 > side); }

}  // namespace

bool SyncPlan::MassDelete() const {
  return Many(localDeletes, localItems) || Many(remoteDeletes, remoteItems);
}

SyncPlan PlanSync(const PlanInput& in) {
  SyncPlan plan;
  std::unordered_map<std::string, int> remoteByHref;
  for (std::size_t i = 0; i < in.remotes.size(); ++i) {
    remoteByHref[in.remotes[i].href] = static_cast<int>(i);
  }
  std::vector<bool> remoteUsed(in.remotes.size(), false);
  std::vector<bool> localUsed(in.locals.size(), false);
  auto add = [&](SyncStep step, int local, int remote, int record) {
    plan.steps.push_back(PlannedStep{step, local, remote, record});
    if (step == SyncStep::DeleteLocal) ++plan.localDeletes;
    if (step == SyncStep::DeleteRemote) ++plan.remoteDeletes;
  };

  enum class Side { Same, Changed, Gone };
  for (std::size_t li = 0; li < in.locals.size(); ++li) {
    const PlanLocal& local = in.locals[li];
    if (local.record < 0) continue;
    localUsed[li] = true;
    const SyncRecord& rec = in.records[static_cast<std::size_t>(local.record)];
    const int l = static_cast<int>(li);
    if (!local.noEntries && !local.gone) ++plan.localItems;

    int ri = -1;
    Side remote = Side::Same;
    const auto found = remoteByHref.find(rec.href);
    if (in.goneHrefs.count(rec.href) != 0 || (in.fullListing && found == remoteByHref.end())) {
      remote = Side::Gone;
    } else if (found != remoteByHref.end()) {
      ri = found->second;
      remoteUsed[static_cast<std::size_t>(ri)] = true;
      const PlanRemote& r = in.remotes[static_cast<std::size_t>(ri)];
      if (r.fetched && !r.usable) {
        add(SyncStep::Unreadable, l, ri, local.record);
        continue;
      }
      // A server that rewrote our text without changing what it says has
      // changed nothing.
      if (r.fetched && r.bodyHash != rec.remoteHash && r.entriesHash != rec.localHash) {
        remote = Side::Changed;
      }
    }
    if (remote != Side::Gone) ++plan.remoteItems;
    const Side here = local.noEntries               ? Side::Same
                      : local.gone                  ? Side::Gone
                      : local.hash != rec.localHash ? Side::Changed
                                                    : Side::Same;
    const bool fetched = ri >= 0 && in.remotes[static_cast<std::size_t>(ri)].fetched;
    if (remote == Side::Same) {
      if (here == Side::Same && fetched) add(SyncStep::Refresh, l, ri, local.record);
      if (here == Side::Changed) add(SyncStep::Upload, l, ri, local.record);
      if (here == Side::Gone) add(SyncStep::DeleteRemote, l, ri, local.record);
    } else if (remote == Side::Changed) {
      if (here == Side::Same || here == Side::Gone) add(SyncStep::Download, l, ri, local.record);
      if (here == Side::Changed) {
        const bool sameNow = in.remotes[static_cast<std::size_t>(ri)].entriesHash == local.hash;
        add(sameNow ? SyncStep::Refresh : SyncStep::Conflict, l, ri, local.record);
      }
    } else {
      if (here == Side::Same) add(SyncStep::DeleteLocal, l, -1, local.record);
      if (here == Side::Changed) add(SyncStep::UploadNew, l, -1, local.record);
      if (here == Side::Gone) add(SyncStep::Forget, l, -1, local.record);
    }
  }

  // Objects the state does not know: matched to new diary items by UID,
  // then by content, so that a lost state file doubles nothing.
  std::unordered_map<std::string, int> newByUid;
  std::multimap<std::uint64_t, int> newByHash;
  for (std::size_t li = 0; li < in.locals.size(); ++li) {
    if (localUsed[li]) continue;
    newByUid[in.locals[li].uid] = static_cast<int>(li);
    newByHash.emplace(in.locals[li].hash, static_cast<int>(li));
    ++plan.localItems;
  }
  auto take = [&](int li) {
    localUsed[static_cast<std::size_t>(li)] = true;
    newByUid.erase(in.locals[static_cast<std::size_t>(li)].uid);
    const auto range = newByHash.equal_range(in.locals[static_cast<std::size_t>(li)].hash);
    for (auto it = range.first; it != range.second; ++it) {
      if (it->second == li) {
        newByHash.erase(it);
        break;
      }
    }
  };
  for (std::size_t ri = 0; ri < in.remotes.size(); ++ri) {
    if (remoteUsed[ri]) continue;
    const PlanRemote& r = in.remotes[ri];
    const int rr = static_cast<int>(ri);
    if (!r.usable) {
      add(SyncStep::Unreadable, -1, rr, -1);
      continue;
    }
    ++plan.remoteItems;
    const auto byUid = newByUid.find(r.uid);
    if (byUid != newByUid.end()) {
      const int li = byUid->second;
      take(li);
      const bool same = in.locals[static_cast<std::size_t>(li)].hash == r.entriesHash;
      add(same ? SyncStep::Adopt : SyncStep::Conflict, li, rr, -1);
      continue;
    }
    const auto byHash = r.hasEntries ? newByHash.find(r.entriesHash) : newByHash.end();
    if (byHash != newByHash.end()) {
      const int li = byHash->second;
      take(li);
      add(SyncStep::Adopt, li, rr, -1);
      continue;
    }
    add(SyncStep::DownloadNew, -1, rr, -1);
  }
  for (std::size_t li = 0; li < in.locals.size(); ++li) {
    if (!localUsed[li]) add(SyncStep::UploadNew, static_cast<int>(li), -1, -1);
  }
  return plan;
}

}  // namespace store

#pragma once

#include <QLatin1String>

// The names of the files of a working directory. Every unit that reads, writes,
// lists or checks them takes the names from here.

// <account id>.act, one account.
inline constexpr QLatin1String kAccountExtension(".act");
// <account id><own id>.tra, one transaction.
inline constexpr QLatin1String kTransactionExtension(".tra");
// Plan<id>.pln, every plan.
inline constexpr QLatin1String kPlanPrefix("Plan");
inline constexpr QLatin1String kPlanExtension(".pln");
// Locked while a change is made, where the working directory itself cannot be.
inline constexpr QLatin1String kLockFileName("Plan.lock");
inline constexpr QLatin1String kCategoryFileName("Category.cat");
inline constexpr QLatin1String kCategoryExtension(".cat");
inline constexpr QLatin1String kChartColourFileName("Graph.grp");
inline constexpr QLatin1String kChartColourExtension(".grp");
// The password with its hint question and answer.
inline constexpr QLatin1String kSettingsFileName("setfnpngs.pss");
inline constexpr QLatin1String kSettingsExtension(".pss");

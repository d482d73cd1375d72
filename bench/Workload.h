#pragma once
// Large install folders for the benchmark: a main loft of `birds` birds in five categories (the
// first holding a quarter of them), pairs with their young, flights with results, treatments and
// transactions in proportion, and a second loft of 50 birds. At 20,000 birds: 2,000 pairs with
// 6,000 young, 500 flights of 100 results, 1,000 treatments and 300 transactions.

#include <string>

struct WorkloadSize {
    int birds = 20000;
    int pairs() const { return birds / 10; }
    int youngPerPair() const { return 3; }
    int flights() const { return birds / 40; }
    int resultsPerFlight() const { return 100; }
    int treatments() const { return birds / 20; }
    int transactions() const { return birds * 3 / 200; }
    int bigCategory() const { return birds / 4; }
};

// Writes db/pigeons.db and db/dodatkowe_informacje.db under `installFolder` (made when missing,
// replacing the files there) with the program's own tables. False with a message on failure.
bool GenerateInstallFolder(const std::string& installFolder, const WorkloadSize& size,
                           std::string* error);

#pragma once

#include <QString>
#include <functional>

namespace toolwindow {
class frmAddIn;
}

namespace tools {

inline const QString BenchmarkDataSetName = QStringLiteral("Benchmark");

// The pushpin grid: latitudes 31 to 48 step 1 (rows, south first), longitudes
// -120.00001 to at most -77.00001 step 4 (west to east): 18 rows of 11.
struct BenchmarkGrid {
    static constexpr double FirstLatitude = 31.0;
    static constexpr double LastLatitude = 48.0;
    static constexpr double LatitudeStep = 1.0;
    static constexpr double FirstLongitude = -120.00001;
    static constexpr double LastLongitude = -77.00001;
    static constexpr double LongitudeStep = 4.0;
    // Calls visit(latitude, longitude) for every grid point in order; beforeRow runs
    // before each row.
    static void forEachPoint(const std::function<void()>& beforeRow,
                             const std::function<void(double, double)>& visit);
};

// A symbol number from 1 to 254: the whole part of 254 * r + 1 in single precision.
// r lies in [0, 1); a value that single precision rounds up to 255 is held at 254.
int BenchmarkSymbol(double r);

// The result message for count pushpins added in seconds.
QString BenchmarkMessage(int count, qint64 seconds);

// Tools > Run Benchmark: adds the grid's 198 pushpins to the "Benchmark" dataset,
// lists them, zooms to the dataset and reports the time. Failing steps are skipped;
// the result message is shown in every case.
void RunBenchmark(toolwindow::frmAddIn& form);

} // namespace tools

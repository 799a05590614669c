/*
 * The anchor for the batch benchmark: the fastest plain loop over the same
 * library for the benchmark's list.  fgets, strtod for latitude and
 * longitude, proj_trans on one UTM zone 32 projection, printf of the CSV row
 * the program writes for such a point (north and east only, which is all
 * the benchmark's list holds).  No checks beyond what keeps it from
 * crashing.  Reads the named file, else standard input.
 *
 *   bare_loop [FILE] > rows.csv
 */
#include <proj.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv)
{
    FILE* in = argc > 1 ? fopen(argv[1], "r") : stdin;
    if (!in)
        return 2;
    PJ* utm = proj_create(NULL, "+proj=utm +zone=32 +ellps=GRS80");
    if (!utm)
        return 2;
    char line[256];
    puts("latitude,longitude,utm_zone,utm_easting,utm_northing,location");
    while (fgets(line, sizeof line, in)) {
        char* end;
        const double latitude = strtod(line, &end);
        const double longitude = strtod(end + 1, NULL);
        const PJ_COORD xy = proj_trans(utm, PJ_FWD, proj_coord(proj_torad(longitude), proj_torad(latitude), 0, 0));
        printf("%.6f,%.6f,32,%.0f,%.0f,liegt bei %.5f°N %.5f°O;\n", latitude, longitude, xy.xy.x, xy.xy.y,
               latitude, longitude);
    }
    proj_destroy(utm);
    return 0;
}

/*
 * The anchor for the batch benchmark: the fastest plain loop over the same
 * library for the benchmark's list.  fgets, strtod for latitude and
 * longitude, proj_trans on one UTM zone 32 projection, proj_trans into the
 * old datum DHDN through the BeTA2007 grid (EPSG 1777 where the grid ends)
 * for the Messtischblatt, printf of the CSV row the program writes for such
 * a point (north and east only, which is all the benchmark's list holds).
 * No checks beyond what keeps it from crashing.  Reads the named file, else
 * standard input.
 *
 *   bare_loop [FILE] > rows.csv
 */
#include <math.h>
#include <proj.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv)
{
    FILE* in = argc > 1 ? fopen(argv[1], "r") : stdin;
    if (!in)
        return 2;
    PJ* utm = proj_create(NULL, "+proj=utm +zone=32 +ellps=GRS80");
    PJ* beta2007 = proj_create(NULL, "+proj=pipeline +step +inv +proj=hgridshift +grids=BETA2007.gsb "
                                     "+step +proj=longlat +ellps=bessel");
    PJ* epsg1777 = proj_create(NULL, "+proj=pipeline +step +proj=cart +ellps=WGS84 +step +inv +proj=helmert "
                                     "+x=598.1 +y=73.7 +z=418.2 +rx=0.202 +ry=0.045 +rz=-2.455 +s=6.7 "
                                     "+convention=position_vector +step +inv +proj=cart +ellps=bessel "
                                     "+step +proj=longlat +ellps=bessel");
    if (!utm || !beta2007 || !epsg1777)
        return 2;
    char line[256];
    puts("latitude,longitude,utm_zone,utm_easting,utm_northing,location,tk25");
    while (fgets(line, sizeof line, in)) {
        char* end;
        const double latitude = strtod(line, &end);
        const double longitude = strtod(end + 1, NULL);
        const PJ_COORD lp = proj_coord(proj_torad(longitude), proj_torad(latitude), 0, 0);
        const PJ_COORD xy = proj_trans(utm, PJ_FWD, lp);
        PJ_COORD dhdn = proj_trans(beta2007, PJ_FWD, lp);
        if (dhdn.lp.lam == HUGE_VAL)
            dhdn = proj_trans(epsg1777, PJ_FWD, lp);
        // Half sheets: 20 per degree of latitude, 12 per degree of longitude.
        const long south = (long)floor(proj_todeg(dhdn.lp.phi) * 20);
        const long west = (long)floor(proj_todeg(dhdn.lp.lam) * 12);
        printf("%.6f,%.6f,32,%.0f,%.0f,liegt bei %.5f°N %.5f°O;,%02ld%02ld/%ld\n", latitude, longitude, xy.xy.x,
               xy.xy.y, latitude, longitude, 559 - south / 2, west / 2 - 34, (long)((south % 2 ? 0 : 2) + (west % 2 ? 2 : 1)));
    }
    proj_destroy(epsg1777);
    proj_destroy(beta2007);
    proj_destroy(utm);
    return 0;
}

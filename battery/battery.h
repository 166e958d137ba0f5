/*
 * The battery source: reads the first ACPI battery and listens to devd for
 * battery notifications.  Plain functions over one context record.  Every
 * failure returns -1 and leaves a text in the record's error field.
 */
#ifndef AMPELWICK_BATTERY_H
#define AMPELWICK_BATTERY_H

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Power state codes of batt_status.state. */
#define BATT_DISCHARGING	1
#define BATT_CHARGING		2
#define BATT_ON_AC		3
#define BATT_UNKNOWN		(-1)

typedef struct batt_status {
	int32_t	capacity;	/* percent, as the driver reports it */
	int32_t	low_capacity;	/* percent of the last full charge */
	int32_t	warn_capacity;	/* percent of the last full charge */
	int32_t	state;		/* BATT_* */
	int32_t	acpi_fd;	/* descriptor of the ACPI device */
	int32_t	time_left;	/* minutes, -1 when the driver gives none */
} batt_status;

typedef struct batt_source {
	int32_t		devd_len;	/* bytes held in devd_buf */
	int32_t		devd_size;	/* size of devd_buf */
	int32_t		devd_pos;	/* first byte not yet consumed */
	int32_t		devd_fd;	/* connected devd socket */
	int32_t		units;		/* battery slots, 0 when unknown */
	bool		present;	/* last poll found a battery */
	bool		reconnected;	/* devd was reconnected */
	char		error[1024];	/* text of the last failure */
	char	       *devd_buf;	/* devd line buffer, owned */
	batt_status	status;
} batt_source;

/*
 * Gives a record its starting values: warning level 10, low level 5,
 * state 0 (not yet determined), no descriptors, nothing buffered.
 * Call it once on a new record, before ampelwick_init().
 */
void	 ampelwick_clear(batt_source *src);

/* 1 ready, 0 no battery slot, -1 failure. Connects to devd first. */
int	 ampelwick_init(batt_source *src);
int	 ampelwick_poll(batt_source *src);
int	 ampelwick_get_batt_info(batt_source *src);
bool	 ampelwick_present(const batt_source *src);
char	*ampelwick_error(batt_source *src);
bool	 ampelwick_reconnected(batt_source *src);

/* 1 battery notification, 0 nothing to report now, -1 failure. */
int	 read_devd_event(batt_source *src);
/* A connected non-blocking socket, or -1 after 30 attempts. */
int	 devd_connect(void);

#ifdef __cplusplus
}
#endif

#endif /* AMPELWICK_BATTERY_H */
